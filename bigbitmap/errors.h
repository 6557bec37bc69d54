#pragma once
// Exception classes of the picture layer. Every error carries the exact text shown to the user.

#include <stdexcept>
#include <string>

namespace quilmo {

// Raised by TBigBitmap, its canvas and its stream forms.
class EBigBitmapError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised by the BMP reader and its converters.
class EDIBUtilsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised when bytes handed over as a picture are not one (clipboard blocks).
class EInvalidGraphic : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised when one kind of graphic cannot be turned into another.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised by streams that cannot deliver or take the bytes asked for.
class EReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised when an integer result does not fit its type.
class EIntOverflow : public std::runtime_error {
public:
    EIntOverflow() : std::runtime_error("Arithmetic overflow") {}
};

}  // namespace quilmo
