#pragma once
// The shared look of the program's dialogs: style sheets, resource images and
// a title-bar builder. UI thread only.

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace kit_style {

constexpr int title_bar_height = 40;
constexpr int close_button_size = 24;
constexpr int button_width = 88;
constexpr int button_height = 33;

extern const char* const title_bar;    // the blue title bar
extern const char* const title_label;  // white 16 px title text
extern const char* const close_button; // borderless close image
extern const char* const button;       // blue push button, lighter when disabled
extern const char* const message_text; // message box text
extern const char* const progress_bar; // rounded grey bar with a blue chunk
// White background; applies to children too unless used inside a selector.
extern const char* const window_white;
extern const char* const window_outline; // thin blue window border
// Context menus: a bordered white panel of their own, whatever style the
// widget they belong to hands down.
extern const char* const menu;

extern const char* const app_icon;   // window icon of every dialog
extern const char* const close_icon; // title-bar close image

// Title bar with the window title at the left and, when with_close is set,
// the 24 x 24 close button at the right. The bar is `title_height` high and
// expands horizontally; object names: "title_bar", "title", "close".
struct title_bar_parts {
    QWidget* bar = nullptr;
    QLabel* title = nullptr;
    QPushButton* close = nullptr;
};
title_bar_parts make_title_bar(QWidget* parent, const QString& title, bool with_close = true);

// Style sheet giving a window of class class_name the white background and
// the outline, without passing them on to the window's children.
QString window_style(const char* class_name);

// A 88 x 33 blue button with pointing-hand cursor.
QPushButton* make_button(QWidget* parent, const QString& text, const QString& object_name);

} // namespace kit_style
