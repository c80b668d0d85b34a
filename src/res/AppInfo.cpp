#include "res/AppInfo.h"

#ifndef TAVRELER_VERSION
#error "the build defines TAVRELER_VERSION, TAVRELER_HOMEPAGE_URL and TAVRELER_SUPPORT_MAIL"
#endif

namespace appinfo {

const char* Name() {
    return "Tavreler";
}
const char* Version() {
    return TAVRELER_VERSION;
}
const char* HomePage() {
    return TAVRELER_HOMEPAGE_URL;
}
const char* SupportAddress() {
    return TAVRELER_SUPPORT_MAIL;
}

} // namespace appinfo
