#pragma once
// An element of a template drawn as the output draws it on a page: placed by
// the engine (text laid out, picture attached), drawn by the output's element
// drawing, recorded at page-image scale so it stretches sharply to any zoom.

#include "platform/paint/vector_picture.h"

class TLumexReportElement;
class TSestavaTyp;

platform::VectorPicture DesignElementPicture(TSestavaTyp& report, TLumexReportElement& element);
