#include "cli/CliSheet.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <sstream>
#include <string_view>
#include <utility>

#include "cli/CliFiles.h"
#include "fw/Cp932.h"
#include "fw/MemoryBudget.h"
#include "model/ReadBudget.h"
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

// What one byte of JSON may take once parsed, at most: a value is 16 bytes,
// an object or array of its own costs a few dozen more, and "{}," is three
// bytes. A text is read only when that much fits the memory budget.
constexpr std::uint64_t kJsonBytesPerByte = 40;

// Reads the whole text; throws CTooLargeError when it is too large to parse.
// Standard input is read up to that size and no further.
bool ReadAll(const std::string& path, std::string& out) {
    const std::uint64_t limit = MemoryBudgetBytes() / kJsonBytesPerByte;
    std::istream* in = &std::cin;
    std::ifstream file;
    if (path != "-") {
        file.open(path, std::ios::binary);
        if (!file)
            return false;
        in = &file;
    }
    char buf[1 << 16];
    out.clear();
    while (in->read(buf, sizeof buf) || in->gcount() > 0) {
        out.append(buf, static_cast<std::size_t>(in->gcount()));
        if (out.size() > limit)
            CheckMemoryBudget(SaturatingProduct(out.size(), kJsonBytesPerByte), 0);
    }
    return !in->bad();
}

// The JSON's shape is checked before a sheet is built from it: each member
// known and of its type, and the rows, columns and cells it asks for within
// the memory budget.
const std::set<std::string_view> kSheetMembers = {
    "title",         "titleCp932",  "columnHeight",  "topLine",  "leftColumn",
    "lineNameWidth", "columnWidth", "csvMark",       "htmlMark", "htmlCss",
    "htmlCssCp932",  "htmlFile",    "htmlFileCp932", "columns",  "rows"};
const std::set<std::string_view> kColumnMembers = {"name",        "nameCp932", "detail",
                                                   "detailCp932", "linkFile",  "linkFileCp932"};
const std::set<std::string_view> kRowMembers = {
    "name", "nameCp932", "detail", "detailCp932", "linkFile", "linkFileCp932", "cells"};
const std::set<std::string_view> kCellMembers = {"type", "check", "class"};

void CheckMembers(const json& j, const std::set<std::string_view>& known,
                  const std::string& where) {
    for (auto it = j.begin(); it != j.end(); ++it)
        if (!known.count(it.key()))
            throw std::runtime_error("unknown member \"" + it.key() + "\"" + where);
}

const json* ArrayMember(const json& j, const char* member, const std::string& where) {
    if (!j.contains(member))
        return nullptr;
    const json& v = j.at(member);
    if (!v.is_array())
        throw std::runtime_error(std::string("\"") + member + "\"" + where + " must be an array");
    return &v;
}

void CheckObject(const json& j, const std::string& what) {
    if (!j.is_object())
        throw std::runtime_error(what + " must be an object");
}

// Checks the shape of the whole JSON and the budget of what it asks for.
void CheckSheetJson(const json& j) {
    if (!j.is_object())
        throw std::runtime_error("the JSON must be an object");
    CheckMembers(j, kSheetMembers, "");
    std::uint64_t nColumns = 0, nRows = 0, nCells = 0;
    if (const json* columns = ArrayMember(j, "columns", "")) {
        nColumns = columns->size();
        for (std::size_t i = 0; i < columns->size(); ++i) {
            const std::string where = " in \"columns\"[" + std::to_string(i) + "]";
            CheckObject((*columns)[i], "\"columns\"[" + std::to_string(i) + "]");
            CheckMembers((*columns)[i], kColumnMembers, where);
        }
    }
    if (const json* rows = ArrayMember(j, "rows", "")) {
        nRows = rows->size();
        for (std::size_t i = 0; i < rows->size(); ++i) {
            const json& r = (*rows)[i];
            const std::string name = "\"rows\"[" + std::to_string(i) + "]";
            CheckObject(r, name);
            CheckMembers(r, kRowMembers, " in " + name);
            const json* cells = ArrayMember(r, "cells", " in " + name);
            nCells = SaturatingSum(nCells, cells ? cells->size() : nColumns);
            if (!cells)
                continue;
            for (std::size_t k = 0; k < cells->size(); ++k) {
                const std::string cell = "\"cells\"[" + std::to_string(k) + "] in " + name;
                CheckObject((*cells)[k], cell);
                CheckMembers((*cells)[k], kCellMembers, " in " + cell);
                if ((*cells)[k].contains("class") && !(*cells)[k].at("class").is_string())
                    throw std::runtime_error("\"class\" in " + cell + " must be a string");
            }
        }
    }
    CheckSheetBudget(nRows, nColumns, nCells);
}

} // namespace

int CliDump(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: tavreler-cli dump FILE.tvr\n");
        return 2;
    }
    if (!CheckRegularInput(args[0]))
        return 1;
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
    if (args[0] != "-" && !CheckRegularInput(args[0]))
        return 1;
    std::string text;
    if (!ReadAll(args[0], text))
        return Fail(args[0] + ": cannot be read");
    // The parsed JSON is kept to the exit, never taken apart: its destructor
    // allocates, which must not happen while unwinding from a failed
    // allocation (the command is the whole process anyway).
    static json* pJson = nullptr;
    CSheetFile sheet;
    try {
        pJson = new json(json::parse(text));
        const json& j = *pJson;
        CheckSheetJson(j);
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
    } catch (const CTooLargeError&) {
        throw; // reported at the command's edge
    } catch (const std::bad_alloc&) {
        throw;
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
