#pragma once
// The program's name, version and addresses, as the build set them: the
// version comes from the project, the two addresses are build options.
namespace appinfo {

const char* Name();           // "Tavreler"
const char* Version();        // the project version, "1.0"
const char* HomePage();       // the home page's address
const char* SupportAddress(); // the support mail address, without "mailto:"

} // namespace appinfo
