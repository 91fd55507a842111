#include "RowWriter.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "ValueText.h"
#include "platform/clr/String.h"

namespace teskdp {

namespace {

class CsvWriter final : public RowWriter {
public:
    explicit CsvWriter(std::ostream& out) : m_out(out) {}
    void header(const std::vector<std::string>& columns) override {
        for (size_t i = 0; i < columns.size(); ++i) m_out << (i ? "," : "") << quote(columns[i]);
        m_out << '\n';
    }
    void row(const std::vector<System::ObjectRef>& values) override {
        for (size_t i = 0; i < values.size(); ++i) m_out << (i ? "," : "") << quote(FormatValue(values[i]));
        m_out << '\n';
    }
    void finish() override { m_out.flush(); }

private:
    static std::string quote(const std::string& s) {
        if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
        std::string q = "\"";
        for (char c : s) {
            if (c == '"') q += '"';
            q += c;
        }
        return q + '"';
    }
    std::ostream& m_out;
};

class JsonWriter final : public RowWriter {
public:
    explicit JsonWriter(std::ostream& out) : m_out(out) {}
    void header(const std::vector<std::string>& columns) override {
        m_columns.clear();
        for (const auto& c : columns) m_columns.push_back(escape(c));
        m_out << '[';
    }
    void row(const std::vector<System::ObjectRef>& values) override {
        m_out << (m_rows++ ? ",\n " : "\n ") << '{';
        for (size_t i = 0; i < values.size(); ++i) {
            m_out << (i ? ", " : "") << m_columns[i] << ": " << literal(values[i]);
        }
        m_out << '}';
    }
    void finish() override {
        m_out << (m_rows ? "\n]\n" : "]\n");
        m_out.flush();
    }

private:
    static std::string escape(const std::string& s) {
        std::string e = "\"";
        for (unsigned char c : s) {
            switch (c) {
            case '"': e += "\\\""; break;
            case '\\': e += "\\\\"; break;
            case '\n': e += "\\n"; break;
            case '\r': e += "\\r"; break;
            case '\t': e += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    e += buf;
                } else {
                    e += static_cast<char>(c);
                }
            }
        }
        return e + '"';
    }
    static std::string literal(const System::ObjectRef& v) {
        if (IsNullValue(v)) return "null";
        const std::string text = FormatValue(v);
        const bool number = System::TryUnbox<uint8_t>(v) || System::TryUnbox<int32_t>(v) ||
                            System::TryUnbox<float>(v) || System::TryUnbox<double>(v);
        if (System::TryUnbox<bool>(v)) return text;
        if (number) return text == "NaN" || text == "inf" || text == "-inf" ? "null" : text;
        return escape(text);
    }
    std::ostream& m_out;
    std::vector<std::string> m_columns;
    size_t m_rows = 0;
};

// Width in characters, counting each UTF-8 sequence once.
size_t displayWidth(const std::string& s) {
    return static_cast<size_t>(std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

class TableWriter final : public RowWriter {
public:
    explicit TableWriter(std::ostream& out) : m_out(out) {}
    void header(const std::vector<std::string>& columns) override { m_rows.push_back(columns); }
    void row(const std::vector<System::ObjectRef>& values) override {
        std::vector<std::string> cells;
        for (const auto& v : values) cells.push_back(IsNullValue(v) ? "NULL" : FormatValue(v));
        m_rows.push_back(std::move(cells));
    }
    void finish() override {
        if (m_rows.empty()) return;
        std::vector<size_t> widths(m_rows.front().size(), 0);
        for (const auto& r : m_rows)
            for (size_t i = 0; i < r.size() && i < widths.size(); ++i) widths[i] = std::max(widths[i], displayWidth(r[i]));
        for (size_t n = 0; n < m_rows.size(); ++n) {
            printRow(m_rows[n], widths);
            if (n == 0) {
                for (size_t i = 0; i < widths.size(); ++i) m_out << (i ? "-+-" : "") << std::string(widths[i], '-');
                m_out << '\n';
            }
        }
        m_out << "(" << m_rows.size() - 1 << (m_rows.size() == 2 ? " row)\n" : " rows)\n");
        m_out.flush();
    }

private:
    void printRow(const std::vector<std::string>& cells, const std::vector<size_t>& widths) {
        for (size_t i = 0; i < cells.size(); ++i) {
            m_out << (i ? " | " : "") << cells[i];
            if (i + 1 < cells.size()) m_out << std::string(widths[i] - displayWidth(cells[i]), ' ');
        }
        m_out << '\n';
    }
    std::ostream& m_out;
    std::vector<std::vector<std::string>> m_rows;
};

} // namespace

std::unique_ptr<RowWriter> MakeRowWriter(const std::string& format, std::ostream& out) {
    if (format == "csv") return std::make_unique<CsvWriter>(out);
    if (format == "json") return std::make_unique<JsonWriter>(out);
    if (format == "table") return std::make_unique<TableWriter>(out);
    throw std::invalid_argument("unknown format '" + format + "' (table, csv or json)");
}

} // namespace teskdp
