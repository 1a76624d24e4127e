#pragma once
// What the design surface asks of the designer window: the active tool, the
// selection, insertion, recording an undo step and showing coordinates.

class TSesPrvek;

class TDesignerOperations {
  public:
    virtual ~TDesignerOperations() = default;

    // Command code of the active tool: 0 the selection tool, -1 while pasting.
    virtual int ActiveTool() const = 0;
    virtual void SelectTool() = 0;
    virtual void FocusElement(TSesPrvek* element) = 0;
    virtual void MarkElement(TSesPrvek* element) = 0;
    virtual void UnmarkElement(TSesPrvek* element) = 0;
    virtual TSesPrvek* FocusedElement() const = 0;
    virtual int MarkedCount() const = 0;
    virtual void ClearSelection() = 0;
    virtual void InsertAt(int bandCode, int x, int y) = 0;
    virtual void NextChoice() = 0;
    // A dragged marked element moved by (dx, dy); the other marked ones follow.
    virtual void MoveMarked(TSesPrvek* dragged, int dx, int dy) = 0;
    virtual void ShowPosition(int x, int y) = 0;
    virtual void ShowSize(int w, int h) = 0;
    // Mouse position in design units over a band; (-1, -1) clears it.
    virtual void ShowMouse(int x, int y) = 0;
    virtual void MouseOverBand(int code) = 0;
    virtual void RecordStep(int step) = 0;
    virtual void BandHeightChanged(int code) = 0;
    virtual void BandDoubleClick(int code) = 0;
    virtual void ElementDoubleClick(TSesPrvek* element) = 0;
    // Whether elements may be moved out of their band ("PosunMimo").
    virtual bool MoveOutsideAllowed() const = 0;
};
