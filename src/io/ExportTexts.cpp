#include "io/ExportTexts.h"

#include "fw/Cp932.h"

const std::string& CornerName() {
    static const std::string s = cp932::FromUtf8OrDie("項目名");
    return s;
}

const std::string& CheckedMark() {
    static const std::string s = cp932::FromUtf8OrDie("○");
    return s;
}

const std::string& UncheckedMark() {
    static const std::string s = cp932::FromUtf8OrDie("×");
    return s;
}

std::string MarkText(int nStyle, BOOL bCheck) {
    switch (nStyle) {
    case 0:
        return bCheck ? CheckedMark() : UncheckedMark();
    case 1:
        return bCheck ? "1" : "0";
    default:
        return {};
    }
}
