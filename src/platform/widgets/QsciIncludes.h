#pragma once

// QScintilla's headers use the bare signals/slots keywords, which the build switches off
// (QT_NO_KEYWORDS). Include QScintilla through this header only.
#pragma push_macro("signals")
#pragma push_macro("slots")
#define signals Q_SIGNALS
#define slots Q_SLOTS
#include <Qsci/qscilexer.h>
#include <Qsci/qscilexercustom.h>
#include <Qsci/qsciscintilla.h>
#pragma pop_macro("slots")
#pragma pop_macro("signals")
