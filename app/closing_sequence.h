#pragma once
// The closing sequence shared by the launcher and the about box: hide the
// window, let pending window messages run (so the windows below repaint
// before the close takes its time), then close it. The caption-zoom
// animation of the original system has no counterpart on every platform and
// is left out.

class QWidget;

void CloseWithSequence(QWidget& window);
