#pragma once
// The design surface: the paper with its bands and elements, the rulers and
// the scroll box around them.

#include "report/designer/designer_operations.h"
#include "report/designer/oddil.h"
#include "report/designer/papir.h"
#include "report/designer/pravitko.h"
#include "report/designer/scrollbox_lumex.h"
#include "report/designer/sesprvek.h"
