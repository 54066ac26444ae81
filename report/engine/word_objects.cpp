// The engine's "Word.Application" object graph: Application, Documents,
// Document, Selection, Font, ParagraphFormat, InlineShapes and InlineShape,
// answering the members the report layer calls by name.

#include "report/engine/automation.h"
#include "report/engine/docx_document.h"
#include "report/engine/docx_xml.h"

#include <QFile>

#include <cmath>
#include <cstdint>
#include <functional>

namespace docengine {

namespace {
struct doc_state {
    docx_document model;
    std::wstring path;
    bool closed = false;
    double pending_font_size = 0; // points, for text typed at the caret
};
using doc_ref = std::shared_ptr<doc_state>;

struct app_state {
    std::vector<doc_ref> docs;
    doc_ref active;
    bool visible = false;
    bool quit = false;

    void open(const doc_ref& d) {
        docs.push_back(d);
        active = d;
    }
    void close(const doc_ref& d) {
        d->closed = true;
        for (auto it = docs.begin(); it != docs.end(); ++it) {
            if (*it == d) {
                docs.erase(it);
                break;
            }
        }
        if (active == d)
            active = docs.empty() ? nullptr : docs.back();
    }
};
using app_ref = std::shared_ptr<app_state>;

bool read_file(const std::wstring& path, std::string& out) {
    QFile f(QString::fromStdWString(path));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QByteArray data = f.readAll();
    out.assign(data.constData(), static_cast<size_t>(data.size()));
    return true;
}

hresult save_to(doc_state& d, const std::wstring& path) {
    if (path.empty() || path[0] == L':')
        return e_access_denied; // never written: no name yet, or a built-in resource
    return d.model.save(wml::to_utf8(path)) == 0 ? s_ok : e_access_denied;
}

bool arg(const std::vector<variant>& a, size_t i, int32_t fallback, int32_t& out) {
    return variant_to_int(i < a.size() ? a[i] : variant(), fallback, out);
}

// The first argument as text (a file name, the text to type).
bool text_arg(const std::vector<variant>& a, std::wstring& out) {
    return !a.empty() && variant_to_string(a[0], out);
}

// A whole number put to a property: its type first, then its range.
hresult int_value(const variant& v, int32_t min, int32_t max, int32_t& out) {
    if (!variant_to_int(v, 0, out))
        return disp_e_typemismatch;
    return out < min || out > max ? e_invalidarg : s_ok;
}

#define LIVE(doc)                                                                                  \
    if ((doc)->closed)                                                                             \
        return e_disconnected;

// A member of one document's graph: it answers nothing once the document is
// closed.
class doc_object : public dispatch_object {
protected:
    explicit doc_object(doc_ref d) : d_(std::move(d)) {}

    // A property handing out a new T over the same document.
    template <class T> void add_child(const wchar_t* name) {
        add_property(name, [this](variant& r) {
            LIVE(d_);
            r = variant(dispatch_ptr(std::make_shared<T>(d_)));
            return s_ok;
        });
    }

    // A whole-number property; a value put outside [min, max] is refused.
    void add_int_property(const wchar_t* name, std::function<int32_t()> get, int32_t min,
                          int32_t max, std::function<void(int32_t)> set) {
        add_property(
            name,
            [this, get](variant& r) {
                LIVE(d_);
                r = variant(get());
                return s_ok;
            },
            [this, min, max, set](const variant& v) {
                LIVE(d_);
                int32_t n = 0;
                if (hresult hr = int_value(v, min, max, n))
                    return hr;
                set(n);
                return s_ok;
            });
    }

    doc_ref d_;
};

class inline_shape_obj : public doc_object {
public:
    inline_shape_obj(doc_ref d, int id) : doc_object(std::move(d)), id_(id) {
        add_property(
            L"Width", [this](variant& r) { return get(r, true); },
            [this](const variant& v) { return put(v, true); });
        add_property(
            L"Height", [this](variant& r) { return get(r, false); },
            [this](const variant& v) { return put(v, false); });
    }

private:
    hresult get(variant& r, bool width) {
        LIVE(d_);
        double w, h;
        if (!d_->model.picture_size(id_, w, h))
            return e_fail;
        r = variant(static_cast<int32_t>(std::lround(width ? w : h)));
        return s_ok;
    }
    hresult put(const variant& v, bool width) {
        LIVE(d_);
        int32_t n = 0;
        if (hresult hr = int_value(v, 1, INT32_MAX, n))
            return hr;
        bool ok =
            width ? d_->model.set_picture_size(id_, n, -1) : d_->model.set_picture_size(id_, -1, n);
        return ok ? s_ok : e_fail;
    }
    int id_;
};

class inline_shapes_obj : public doc_object {
public:
    explicit inline_shapes_obj(doc_ref d) : doc_object(std::move(d)) {
        add_method(L"AddPicture", [this](const std::vector<variant>& a, variant& r) {
            LIVE(d_);
            std::wstring file;
            if (!text_arg(a, file))
                return disp_e_paramnotoptional;
            std::string bytes;
            if (!read_file(file, bytes))
                return e_file_not_found;
            int id = 0;
            hresult hr = d_->model.add_picture(bytes, id);
            if (hr == s_ok)
                r = variant(dispatch_ptr(std::make_shared<inline_shape_obj>(d_, id)));
            return hr;
        });
        add_property(L"Count", [this](variant& r) {
            LIVE(d_);
            r = variant(static_cast<int32_t>(d_->model.picture_count()));
            return s_ok;
        });
    }
};

class font_obj : public doc_object {
public:
    explicit font_obj(doc_ref d) : doc_object(std::move(d)) {
        add_int_property(
            L"Size",
            [this] {
                double s =
                    d_->pending_font_size > 0 ? d_->pending_font_size : d_->model.font_size();
                return static_cast<int32_t>(std::lround(s));
            },
            1, 1638, [this](int32_t n) { d_->pending_font_size = n; });
    }
};

class paragraph_format_obj : public doc_object {
public:
    explicit paragraph_format_obj(doc_ref d) : doc_object(std::move(d)) {
        add_int_property(
            L"Alignment", [this] { return static_cast<int32_t>(d_->model.alignment()); }, 0, 3,
            [this](int32_t n) { d_->model.set_alignment(n); });
    }
};

class selection_obj : public doc_object {
public:
    explicit selection_obj(doc_ref d) : doc_object(std::move(d)) {
        add_method(L"HomeKey",
                   [this](const std::vector<variant>& a, variant&) { return key(a, true); });
        add_method(L"EndKey",
                   [this](const std::vector<variant>& a, variant&) { return key(a, false); });
        add_method(L"MoveDown",
                   [this](const std::vector<variant>& a, variant& r) { return vertical(a, r, 1); });
        add_method(L"MoveUp", [this](const std::vector<variant>& a, variant& r) {
            return vertical(a, r, -1);
        });
        add_method(L"MoveRight", [this](const std::vector<variant>& a, variant& r) {
            return horizontal(a, r, 1);
        });
        add_method(L"MoveLeft", [this](const std::vector<variant>& a, variant& r) {
            return horizontal(a, r, -1);
        });
        add_method(L"TypeText", [this](const std::vector<variant>& a, variant&) {
            LIVE(d_);
            std::wstring text;
            if (!text_arg(a, text))
                return disp_e_paramnotoptional;
            d_->model.type_text(text, d_->pending_font_size);
            return s_ok;
        });
        add_method(L"WholeStory", [this](const std::vector<variant>&, variant&) {
            LIVE(d_);
            moved();
            d_->model.select_whole_story();
            return s_ok;
        });
        add_method(L"Cut", [this](const std::vector<variant>&, variant&) {
            LIVE(d_);
            return d_->model.cut();
        });
        add_method(L"InsertRowsBelow", [this](const std::vector<variant>& a, variant&) {
            LIVE(d_);
            int32_t rows = 1;
            if (!arg(a, 0, 1, rows))
                return disp_e_typemismatch;
            if (rows < 1)
                return e_invalidarg;
            moved();
            // Outside a table the word processor refuses the command too.
            return d_->model.insert_rows_below(rows) == rows ? s_ok : e_fail;
        });
        add_method(L"InsertBreak", [this](const std::vector<variant>& a, variant&) {
            LIVE(d_);
            int32_t type = 7;
            if (!arg(a, 0, 7, type))
                return disp_e_typemismatch;
            return d_->model.insert_break(type);
        });
        add_method(L"PasteAndFormat", [this](const std::vector<variant>& a, variant&) {
            LIVE(d_);
            int32_t type = 16;
            if (!arg(a, 0, 16, type))
                return disp_e_typemismatch;
            moved();
            return d_->model.paste();
        });
        add_property(L"Text", [this](variant& r) {
            LIVE(d_);
            r = variant(d_->model.selection_text());
            return s_ok;
        });
        add_child<font_obj>(L"Font");
        add_child<inline_shapes_obj>(L"InlineShapes");
        add_child<paragraph_format_obj>(L"ParagraphFormat");
    }

private:
    // A size set for the caret applies until the caret moves.
    void moved() { d_->pending_font_size = 0; }

    hresult key(const std::vector<variant>& a, bool home) {
        LIVE(d_);
        int32_t unit = 5;
        if (!arg(a, 0, 5, unit))
            return disp_e_typemismatch;
        if (unit != 5 && unit != 6)
            return e_invalidarg;
        moved();
        if (unit == 6)
            home ? d_->model.home_story() : d_->model.end_story();
        else
            home ? d_->model.home_line() : d_->model.end_line();
        return s_ok;
    }

    hresult vertical(const std::vector<variant>& a, variant& r, int sign) {
        LIVE(d_);
        int32_t unit = 5, count = 1;
        if (!arg(a, 0, 5, unit) || !arg(a, 1, 1, count))
            return disp_e_typemismatch;
        if (unit != 5 && unit != 4)
            return e_invalidarg;
        moved();
        r = variant(static_cast<int32_t>(sign * d_->model.move_down(sign * count)));
        return s_ok;
    }

    hresult horizontal(const std::vector<variant>& a, variant& r, int sign) {
        LIVE(d_);
        int32_t unit = 1, count = 1;
        if (!arg(a, 0, 1, unit) || !arg(a, 1, 1, count))
            return disp_e_typemismatch;
        if (unit != 1 && unit != 12)
            return e_invalidarg;
        moved();
        int n =
            unit == 12 ? d_->model.move_cells(sign * count) : d_->model.move_chars(sign * count);
        r = variant(static_cast<int32_t>(sign * n));
        return s_ok;
    }
};

class document_obj : public doc_object {
public:
    document_obj(app_ref app, doc_ref d) : doc_object(std::move(d)), app_(std::move(app)) {
        add_method(L"Save", [this](const std::vector<variant>&, variant&) {
            LIVE(d_);
            return save_to(*d_, d_->path);
        });
        add_method(L"SaveAs2", [this](const std::vector<variant>& a, variant&) {
            LIVE(d_);
            std::wstring file;
            if (!text_arg(a, file))
                return disp_e_paramnotoptional;
            hresult hr = save_to(*d_, file);
            if (hr == s_ok)
                d_->path = file;
            return hr;
        });
        add_method(L"Close", [this](const std::vector<variant>& a, variant&) {
            LIVE(d_);
            int32_t save = 0;
            if (!arg(a, 0, 0, save))
                return disp_e_typemismatch;
            hresult hr = save == -1 ? save_to(*d_, d_->path) : s_ok;
            app_->close(d_);
            return hr;
        });
        add_property(L"FullName", [this](variant& r) {
            LIVE(d_);
            r = variant(d_->path);
            return s_ok;
        });
    }

private:
    app_ref app_;
};

dispatch_ptr wrap(const app_ref& app, const doc_ref& d) {
    return std::make_shared<document_obj>(app, d);
}

class documents_obj : public dispatch_object {
public:
    explicit documents_obj(app_ref app) : app_(std::move(app)) {
        add_method(L"Add", [this](const std::vector<variant>&, variant& r) {
            if (app_->quit)
                return e_disconnected;
            auto d = std::make_shared<doc_state>();
            app_->open(d);
            r = variant(wrap(app_, d));
            return s_ok;
        });
        add_method(L"Open", [this](const std::vector<variant>& a, variant& r) {
            if (app_->quit)
                return e_disconnected;
            std::wstring file;
            if (!text_arg(a, file))
                return disp_e_paramnotoptional;
            std::string bytes;
            if (!read_file(file, bytes))
                return e_file_not_found;
            auto d = std::make_shared<doc_state>();
            if (d->model.load(bytes) != 0)
                return e_fail;
            d->path = file;
            app_->open(d);
            r = variant(wrap(app_, d));
            return s_ok;
        });
        add_property(L"Count", [this](variant& r) {
            r = variant(static_cast<int32_t>(app_->docs.size()));
            return s_ok;
        });
    }

private:
    app_ref app_;
};

class application_obj : public dispatch_object {
public:
    application_obj() : app_(std::make_shared<app_state>()) {
        add_property(L"Documents", [this](variant& r) {
            if (app_->quit)
                return e_disconnected;
            r = variant(dispatch_ptr(std::make_shared<documents_obj>(app_)));
            return s_ok;
        });
        add_property(L"ActiveDocument", [this](variant& r) {
            if (app_->quit)
                return e_disconnected;
            if (!app_->active)
                return e_fail;
            r = variant(wrap(app_, app_->active));
            return s_ok;
        });
        add_property(L"Selection", [this](variant& r) {
            if (app_->quit)
                return e_disconnected;
            if (!app_->active)
                return e_fail;
            r = variant(dispatch_ptr(std::make_shared<selection_obj>(app_->active)));
            return s_ok;
        });
        add_property(
            L"Visible",
            [this](variant& r) {
                r = variant(app_->visible);
                return s_ok;
            },
            [this](const variant& v) {
                bool b = false;
                if (!variant_to_bool(v, false, b))
                    return disp_e_typemismatch;
                app_->visible = b; // no window to show: remembered only
                return s_ok;
            });
        // A fixed text, never the directory the program is installed in: the
        // report filler tells the genuine word processor from a substitute by
        // this path, and an install directory that happens to contain the
        // substitute's letters must not switch every report to its navigation.
        add_property(L"Path", [](variant& r) {
            r = variant(std::wstring(application_path_text));
            return s_ok;
        });
        add_method(L"Quit", [this](const std::vector<variant>& a, variant&) {
            if (app_->quit)
                return e_disconnected;
            int32_t save = 0;
            if (!arg(a, 0, 0, save))
                return disp_e_typemismatch;
            hresult hr = s_ok;
            while (!app_->docs.empty()) {
                auto d = app_->docs.back();
                if (save == -1 && save_to(*d, d->path) != s_ok)
                    hr = e_fail;
                app_->close(d);
            }
            app_->quit = true;
            return hr;
        });
    }

private:
    app_ref app_;
};
} // namespace

void register_word_application() {
    register_class(L"Word.Application",
                   [] { return dispatch_ptr(std::make_shared<application_obj>()); });
}

} // namespace docengine
