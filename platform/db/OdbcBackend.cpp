// Placeholder until the ODBC backend lands; replaced wholesale by its author.
#include "platform/db/Backend.h"
#include "platform/db/CDBException.h"
namespace tesk::db {
std::unique_ptr<Connection> openOdbc(const std::string&) { ThrowDBException("ODBC backend not built"); }
}
