#pragma once
// Where the program's architecture-independent data lies: the "Font" language files, the
// window's translations and the help documents. An installed program lives in
// <prefix>/lib/mmx4210 and finds them in <prefix>/share/mmx4210, where Debian keeps data that
// is the same on every architecture; a program run from its build or an unpacked folder finds
// them beside itself.
#include <string>

namespace mmx {

// The data folder, ending with "/", of a program living in appPath.
std::string dataFolderFor(const std::string& appPath);

}  // namespace mmx
