#pragma once
// Where the program lives and what the system says about the user: folders,
// executable, version, code page, interface language and screen scaling.
// Threading: any thread, except where a function says "UI thread only".

#include <string>

class QLocale;

namespace platform {

// Per-machine data root of the desktop (the folder under which the program
// keeps "Halvix/"); follows XDG_DATA_HOME. Empty when the system has none.
std::wstring common_data_folder();

// The user's documents folder (old per-user location of the data). Empty when
// the system has none.
std::wstring documents_folder();

// Full path of the running executable; works before the application object
// exists. Empty and *error set to the system error when it cannot be read.
std::wstring executable_path(int* error);

// Version of the program as four numbers ("1.0.0.1"), compiled in.
std::string program_version();

// Code page of narrow text handed to the system: always UTF-8.
unsigned oem_code_page();

// Interface language of the user as a numeric id (0x409 English, 0x804
// Chinese and their regional variants; 0 for every other language).
unsigned ui_language_id();
unsigned language_id_for(const QLocale& locale);

// Ratio of physical to logical screen width. The toolkit scales high-DPI
// screens itself here, so this is 1.0.
double screen_scale_ratio();

// Value for QT_SCALE_FACTOR from a screen ratio: empty (leave it unset) for
// 1.0 or less, else the ratio with two decimals ("1.25", "1.50").
std::string scale_factor_text(double ratio);

// Sets QT_SCALE_FACTOR from screen_scale_ratio(); call before the application
// object exists. Returns the text set (empty: nothing set).
std::string apply_screen_scaling();

} // namespace platform
