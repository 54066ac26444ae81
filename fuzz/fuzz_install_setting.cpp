// libFuzzer target: any bytes as install_setting.ini, as text and as the file
// beside the program.

#include "core/environment.h"
#include "fuzz_util.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int lang = install_setting_lang(text);
    if (lang < -1 || lang > 1)
        std::abort();
    const QString& root = fuzz::scratch_dir();
    if (fuzz::write_file(root + QStringLiteral("/install_setting.ini"), text) &&
        read_install_setting_lang(root.toStdWString()) != (text.empty() ? -1 : lang))
        std::abort(); // the file gives the answer of its text
    return 0;
}
