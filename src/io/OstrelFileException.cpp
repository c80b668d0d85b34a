#include "io/OstrelFileException.h"

COstrelFileException COstrelFileException::Make(Kind kind, const std::string& path) {
    const char* text = "";
    switch (kind) {
    case Open:
        text = "ファイルのオープンに失敗しました";
        break;
    case Close:
        text = "ファイルのクローズに失敗しました";
        break;
    case Write:
        text = "ファイルの書込に失敗しました";
        break;
    }
    return COstrelFileException(std::string(text) + ":" + path);
}
