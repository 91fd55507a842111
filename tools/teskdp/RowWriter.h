#pragma once
// Prints record-set rows as an aligned table, CSV or JSON. CSV and JSON stream
// row by row; the table keeps its rows to align the columns.

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/clr/Object.h"

namespace teskdp {

class RowWriter {
public:
    virtual ~RowWriter() = default;
    virtual void header(const std::vector<std::string>& columns) = 0;
    virtual void row(const std::vector<System::ObjectRef>& values) = 0;
    virtual void finish() = 0;
};

// format: "table", "csv" or "json"; raises std::invalid_argument otherwise.
std::unique_ptr<RowWriter> MakeRowWriter(const std::string& format, std::ostream& out);

} // namespace teskdp
