#include "platform/db/CDBException.h"

#include <cstring>

bool CException::GetErrorMessage(char* lpszError, unsigned nMaxError) const {
    if (lpszError == nullptr || nMaxError == 0) return false;
    const std::string message = GetMessage();
    const size_t n = std::min<size_t>(message.size(), nMaxError - 1);
    std::memcpy(lpszError, message.data(), n);
    lpszError[n] = '\0';
    return !message.empty();
}

CDBException::CDBException(std::string error, std::string sqlState, long nativeError,
                           std::string context)
    : m_strError(std::move(error)), m_strSqlState(std::move(sqlState)),
      m_nNativeError(nativeError), m_strContext(std::move(context)) {
    m_strStateNativeOrigin = "State:" + m_strSqlState + ",Native:" + std::to_string(m_nNativeError);
}

void ThrowDBException(const std::string& message, const char* sqlState) {
    throw CDBException(message, sqlState);
}
