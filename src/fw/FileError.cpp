#include "fw/FileError.h"

#include <cerrno>

#include "fw/MemoryBudget.h"
#include "fw/Os.h"

namespace {

std::string KindMessage(FileError::Kind kind, const std::string& path) {
    switch (kind) {
    case FileError::BadFormat:
        return "予期しないﾌｧｲﾙ形式です。";
    case FileError::FileNotFound:
        return path + "\nこのﾌｧｲﾙが見つかりません。\nﾊﾟｽとﾌｧｲﾙ名が正しいかどうか確認してださい。";
    case FileError::AccessDeniedRead:
        return path + " は使用中のため、読み取れません。";
    case FileError::AccessDeniedWrite:
        return path + " は使用中または読み取り専用のため、書き込めません。";
    case FileError::DiskFull:
        return "出力先のﾃﾞｨｽｸ ﾄﾞﾗｲﾌﾞの空き容量が不足しています。";
    case FileError::BadFileName:
        return "無効なﾌｧｲﾙ名です。";
    case FileError::GenericRead:
        return "ﾄﾞｷｭﾒﾝﾄを開くことに失敗しました。";
    case FileError::GenericWrite:
        return "ﾄﾞｷｭﾒﾝﾄの保存に失敗しました。";
    case FileError::TooLarge:
        return TooLargeMessage(LastRefusedCells());
    }
    return {};
}

FileError::Kind KindFromErrno(int err, bool writing) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return FileError::FileNotFound;
    case ENAMETOOLONG:
    case ELOOP:
        // A path the system cannot follow is a bad path when reading; a
        // name that cannot be created when writing.
        return writing ? FileError::BadFileName : FileError::FileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ETXTBSY:
        return writing ? FileError::AccessDeniedWrite : FileError::AccessDeniedRead;
    case ENOSPC:
    case EDQUOT:
        return FileError::DiskFull;
    case EINVAL:
    case EISDIR:
        return writing ? FileError::BadFileName : FileError::GenericRead;
    default:
        return writing ? FileError::GenericWrite : FileError::GenericRead;
    }
}

} // namespace

std::string FileErrorMessage(FileError error, const std::string& path) {
    std::string message = KindMessage(error.m_kind, path);
    if (error.m_nErrno)
        message += "\n(" + OsErrorText(error.m_nErrno) + ")";
    return message;
}

FileError FileErrorFromErrno(int err, bool writing) {
    return FileError(KindFromErrno(err, writing), err);
}
