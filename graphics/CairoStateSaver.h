#pragma once
#include "graphics/GraphicsHandles.h"

namespace graphics {

// Saves a cairo context's state (operator, source, matrix, clip) for the length of a
// scope and restores it when the scope ends, also when an exception leaves it, so the
// context is back in its initial state between canvas operations.
class TCairoStateSaver {
public:
    explicit TCairoStateSaver(cairo_t* cairo) : cairo_(cairo) { cairo_save(cairo_); }
    ~TCairoStateSaver() { cairo_restore(cairo_); }
    TCairoStateSaver(const TCairoStateSaver&) = delete;
    TCairoStateSaver& operator=(const TCairoStateSaver&) = delete;

private:
    cairo_t* cairo_;
};

} // namespace graphics
