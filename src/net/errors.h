#pragma once
// The two kinds of failure that end an event handler: a socket failure and a number field that
// is not a number. Both carry a fixed English text that the general error report shows as is.

#include <stdexcept>
#include <string>

namespace zb {

class ZbError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ESockException : public ZbError {
public:
    using ZbError::ZbError;
};

class EConvertError : public ZbError {
public:
    using ZbError::ZbError;
};

} // namespace zb
