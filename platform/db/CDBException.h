#pragma once
#include <exception>
#include <string>

// Base of the platform's exceptions: a message a caller can copy into its own
// buffer.
class CException : public std::exception {
public:
    virtual ~CException() = default;
    // Copies the message, cut to nMaxError - 1 characters and terminated.
    // Returns false when there is no room or no message.
    virtual bool GetErrorMessage(char* lpszError, unsigned nMaxError) const;
    virtual std::string GetMessage() const = 0;
};

// A database refusal. m_strError is the driver's (or engine's) message text,
// unchanged; the SQLSTATE and native code travel beside it.
class CDBException : public CException {
public:
    CDBException(std::string error, std::string sqlState = "HY000", long nativeError = 0,
                 std::string context = {});

    std::string GetMessage() const override { return m_strError; }
    const char* what() const noexcept override { return m_strError.c_str(); }

    std::string m_strError;
    std::string m_strSqlState;
    long m_nNativeError;
    // "State:...,Native:...,Origin:..." as a separate line, never glued to the message.
    std::string m_strStateNativeOrigin;
    // What the record set was doing, such as "while opening formation_top".
    std::string m_strContext;
};

// Plain message used by the record sets for their own refusals.
[[noreturn]] void ThrowDBException(const std::string& message, const char* sqlState = "HY000");
