#include "cli/CliSheet.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <utility>

#include "fw/Cp932.h"
#include "model/SheetFile.h"
#include "model/SheetIo.h"

using nlohmann::json;

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return 1;
}

bool Save(const CSheetFile& sheet, const std::string& path) {
    if (std::optional<FileError> err = SaveSheetFile(sheet, path)) {
        Fail(FileErrorMessage(*err, path));
        return false;
    }
    return true;
}

// The suffix of the member that carries a text's own bytes (hex) beside its
// UTF-8 form, for texts whose bytes the UTF-8 form does not give back:
// bytes that are no code page 932, or one of its duplicate codes (0xED40
// comes back as 0xFA5C). With it, dump then from-json loses nothing.
const char kBytesSuffix[] = "Cp932";

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

void PutText(json& j, const char* member, const std::string& text) {
    const std::string utf8 = cp932::ToUtf8(text);
    j[member] = utf8;
    const cp932::EncodeResult back = cp932::FromUtf8(utf8);
    if (!back.ok() || back.text != text)
        j[std::string(member) + kBytesSuffix] = Hex(text);
}

json Item(const std::string& name, const std::string& detail, const std::string& link) {
    json j = json::object();
    PutText(j, "name", name);
    PutText(j, "detail", detail);
    PutText(j, "linkFile", link);
    return j;
}

// A cell as stored: its type field, the check state as the file holds it,
// and the class when the type alone would not name it (a check cell stored
// with type 0, a plain cell with type 1).
json Cell(const CDataItem* p) {
    const auto* check = dynamic_cast<const CCheckItem*>(p);
    json j{{"type", p->m_nType}};
    if (check)
        j["check"] = check->m_bCheck;
    if (check ? p->m_nType != 1 : p->m_nType != 0)
        j["class"] = check ? "CCheckItem" : "CDataItem";
    return j;
}

std::string FromHex(const std::string& hex, const std::string& member) {
    auto value = [&](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        throw std::runtime_error("\"" + member + "\" must hold pairs of hex digits");
    };
    if (hex.size() % 2 != 0)
        throw std::runtime_error("\"" + member + "\" must hold pairs of hex digits");
    std::string out;
    out.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2)
        out += static_cast<char>(value(hex[i]) * 16 + value(hex[i + 1]));
    return out;
}

// A text member of the JSON in code page 932; throws with a message naming
// the characters that cannot be held.
std::string Text(const json& j, const char* member) {
    const std::string bytesMember = std::string(member) + kBytesSuffix;
    if (j.contains(bytesMember)) {
        const json& v = j.at(bytesMember);
        if (!v.is_string())
            throw std::runtime_error("\"" + bytesMember + "\" must be a string");
        return FromHex(v.get<std::string>(), bytesMember);
    }
    if (!j.contains(member))
        return {};
    const json& v = j.at(member);
    if (!v.is_string())
        throw std::runtime_error(std::string("\"") + member + "\" must be a string");
    cp932::EncodeResult r = cp932::FromUtf8(v.get<std::string>());
    if (!r.ok())
        throw std::runtime_error(std::string("\"") + member +
                                 "\": " + cp932::RejectedMessage(r.rejected));
    return r.text;
}

int Int(const json& j, const char* member, int def) {
    if (!j.contains(member))
        return def;
    const json& v = j.at(member);
    if (!v.is_number_integer())
        throw std::runtime_error(std::string("\"") + member + "\" must be an integer");
    // Every number the file holds is 32 bits wide: narrowing a larger one
    // would write a different value than the JSON says.
    const bool fits = v.is_number_unsigned() ? v.get<std::uint64_t>() <= std::uint64_t(INT32_MAX)
                                             : v.get<std::int64_t>() >= INT32_MIN &&
                                                   v.get<std::int64_t>() <= INT32_MAX;
    if (!fits)
        throw std::runtime_error(std::string("\"") + member +
                                 "\" must lie between -2147483648 and 2147483647");
    return static_cast<int>(v.get<std::int64_t>());
}

bool ReadAll(const std::string& path, std::string& out) {
    if (path == "-") {
        out.assign(std::istreambuf_iterator<char>(std::cin), {});
        return true;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), {});
    return !in.bad();
}

} // namespace

int CliDump(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: tavreler-cli dump FILE.tvr\n");
        return 2;
    }
    CSheetFile sheet;
    if (std::optional<FileError> err = ReadSheetFile(sheet, args[0]))
        return Fail(FileErrorMessage(*err, args[0]));
    json j;
    PutText(j, "title", sheet.m_strTitle);
    j["columnHeight"] = sheet.m_nColumnHeight;
    j["topLine"] = sheet.m_nTopLine;
    j["leftColumn"] = sheet.m_nLeftColumn;
    j["lineNameWidth"] = sheet.m_nLineNameWidth;
    j["columnWidth"] = sheet.m_nColumnWidth;
    j["csvMark"] = sheet.m_nCsvMark;
    j["htmlMark"] = sheet.m_nHtmlMark;
    PutText(j, "htmlCss", sheet.m_strHtmlCss);
    PutText(j, "htmlFile", sheet.m_strHtmlFile);
    json columns = json::array();
    for (const CColumnData* c : std::as_const(sheet.m_Columns))
        columns.push_back(Item(c->m_strName, c->m_strDetail, c->m_strLinkFile));
    j["columns"] = std::move(columns);
    json rows = json::array();
    for (const CLineData* line : sheet) {
        json row = Item(line->m_strName, line->m_strDetail, line->m_strLinkFile);
        json cells = json::array();
        for (const CDataItem* p : *line)
            cells.push_back(Cell(p));
        row["cells"] = std::move(cells);
        rows.push_back(std::move(row));
    }
    j["rows"] = std::move(rows);
    std::cout << j.dump(2) << "\n";
    return std::cout ? 0 : 1;
}

int CliFromJson(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: tavreler-cli from-json IN.json OUT.tvr\n");
        return 2;
    }
    std::string text;
    if (!ReadAll(args[0], text))
        return Fail(args[0] + ": cannot be read");
    CSheetFile sheet;
    try {
        const json j = json::parse(text);
        if (!j.is_object())
            throw std::runtime_error("the JSON must be an object");
        sheet.m_nLineNameWidth = 10;
        sheet.m_nColumnWidth = 10;
        sheet.m_strTitle = Text(j, "title");
        sheet.m_nColumnHeight = Int(j, "columnHeight", 20);
        sheet.m_nTopLine = Int(j, "topLine", 0);
        sheet.m_nLeftColumn = Int(j, "leftColumn", 0);
        sheet.m_nLineNameWidth = Int(j, "lineNameWidth", 10);
        sheet.m_nColumnWidth = Int(j, "columnWidth", 10);
        sheet.m_nCsvMark = Int(j, "csvMark", 0);
        sheet.m_nHtmlMark = Int(j, "htmlMark", 0);
        sheet.m_strHtmlCss = Text(j, "htmlCss");
        sheet.m_strHtmlFile = Text(j, "htmlFile");
        if (j.contains("columns"))
            for (const json& c : j.at("columns")) {
                auto col = std::make_unique<CColumnData>(Text(c, "name"));
                col->m_strDetail = Text(c, "detail");
                col->m_strLinkFile = Text(c, "linkFile");
                sheet.m_Columns.Add(std::move(col));
            }
        if (j.contains("rows"))
            for (const json& r : j.at("rows")) {
                auto line = std::make_unique<CLineData>();
                line->m_strName = Text(r, "name");
                line->m_strDetail = Text(r, "detail");
                line->m_strLinkFile = Text(r, "linkFile");
                if (r.contains("cells")) {
                    for (const json& c : r.at("cells")) {
                        const int type = Int(c, "type", 1);
                        CDataItem* item = nullptr;
                        if (c.contains("class")) {
                            // The class named, the type field stored as given.
                            const json& cls = c.at("class");
                            if (cls == "CCheckItem")
                                item = new CCheckItem;
                            else if (cls == "CDataItem")
                                item = new CDataItem;
                            else
                                throw std::runtime_error(
                                    "a cell's \"class\" must be \"CCheckItem\" or \"CDataItem\"");
                            item->m_nType = type;
                        } else {
                            item = CSheetFile::CreateItem(type);
                            if (!item)
                                throw std::runtime_error("a cell's \"type\" must be 0 or 1");
                        }
                        line->Add(item);
                        // The state as the file holds it: any non-zero value is checked.
                        if (auto* check = dynamic_cast<CCheckItem*>(item))
                            check->m_bCheck = Int(c, "check", 0);
                    }
                } else {
                    for (int i = 0; i < sheet.m_Columns.GetSize(); ++i)
                        line->Add(new CCheckItem);
                }
                if (line->GetSize() != sheet.m_Columns.GetSize())
                    throw std::runtime_error("row \"" + cp932::ToUtf8(line->m_strName) +
                                             "\" must hold one cell per column");
                // Handed to the sheet complete, so the counts take it as it is.
                sheet.Add(std::move(line));
            }
    } catch (const std::exception& e) {
        return Fail(args[0] + ": " + e.what());
    }
    return Save(sheet, args[1]) ? 0 : 1;
}

int CliNew(const std::vector<std::string>& args) {
    bool utf8 = false;
    std::vector<std::string> pos;
    for (const std::string& a : args) {
        if (a == "--utf8")
            utf8 = true;
        else if (a.size() > 1 && a[0] == '-') {
            std::fprintf(stderr, "usage: tavreler-cli new OUT.tvr [ROWS.txt|-] [--utf8]\n");
            return 2;
        } else
            pos.push_back(a);
    }
    if (pos.empty() || pos.size() > 2) {
        std::fprintf(stderr, "usage: tavreler-cli new OUT.tvr [ROWS.txt|-] [--utf8]\n");
        return 2;
    }
    CSheetFile sheet;
    if (pos.size() == 2) {
        std::string text;
        if (!ReadAll(pos[1], text))
            return Fail(pos[1] + ": cannot be read");
        if (utf8) {
            cp932::EncodeResult r = cp932::FromUtf8(text);
            if (!r.ok())
                return Fail(pos[1] + ": " + cp932::RejectedMessage(r.rejected));
            text = r.text;
        }
        BuildNewSheet(sheet, text);
    }
    return Save(sheet, pos[0]) ? 0 : 1;
}
