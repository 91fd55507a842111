#pragma once
// The runtime's error kinds. Messages are 8-bit (UTF-8) texts.

#include <stdexcept>
#include <string>

namespace System {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// An error with a message, raised by the system for failures it reports.
class SystemException : public Exception {
public:
    using Exception::Exception;
};

class NullReferenceException : public SystemException {
public:
    NullReferenceException() : SystemException("Object reference not set to an instance of an object.") {}
    using SystemException::SystemException;
};

class InvalidCastException : public SystemException {
public:
    InvalidCastException() : SystemException("Specified cast is not valid.") {}
    using SystemException::SystemException;
};

class FormatException : public SystemException {
public:
    FormatException() : SystemException("Input string was not in a correct format.") {}
    using SystemException::SystemException;
};

class ArgumentException : public SystemException {
public:
    using SystemException::SystemException;
};

class ArgumentOutOfRangeException : public ArgumentException {
public:
    using ArgumentException::ArgumentException;
};

class ObjectDisposedException : public SystemException {
public:
    using SystemException::SystemException;
};

} // namespace System
