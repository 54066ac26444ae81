#include "report/word_automation.h"

#include "core/app_log.h"
#include "platform/text.h"
#include "report/report_filler.h"

#include <algorithm>
#include <cwctype>
#include <mutex>

word_automation_state word_state;
bool is_msword = false;

namespace {
const wchar_t* const prog_id = L"Word.Application";

void put_int(const dispatch_ptr& d, const wchar_t* name, int value) {
    AutoWrap(DISPATCH_PROPERTYPUT, nullptr, d, name, 1, static_cast<int32_t>(value));
}

dispatch_ptr get_dispatch(const dispatch_ptr& d, const wchar_t* name) {
    variant r;
    AutoWrap(DISPATCH_PROPERTYGET, &r, d, name, 0);
    return r.type == variant::kind::dispatch ? r.d : nullptr;
}

// Resolves the programmatic identifier; 0 or the result code.
uint32_t resolve_class(int32_t& class_id) {
    return docengine::class_id_from_prog_id(prog_id, class_id);
}
} // namespace

uint32_t AutoWrapv(int flags, variant* result, const dispatch_ptr& disp, const std::wstring& name,
                   int count, const variant* args) {
    if (!disp) {
        app_log("NULL IDispatch passed to AutoWrap");
        return docengine::e_invalidarg;
    }
    const std::string name_u8 = wide_to_utf8(name);
    int32_t dispid = 0;
    uint32_t hr = disp->get_ids_of_names(name, dispid);
    if (hr != docengine::s_ok) {
        app_log("IDispatch::GetIDsOfNames(\"%s\") failed w/err 0x%08lx\n", name_u8.c_str(),
                static_cast<unsigned long>(hr));
        return hr;
    }
    std::vector<variant> list(args, args + std::max(0, count));
    std::vector<int32_t> named;
    if (flags & DISPATCH_PROPERTYPUT)
        named.push_back(docengine::dispid_propertyput);
    hr = disp->invoke(dispid, flags, list, named, result);
    if (hr != docengine::s_ok) {
        app_log("IDispatch::Invoke(\"%s\"=%08lx) failed w/err 0x%08lx\n", name_u8.c_str(),
                static_cast<unsigned long>(static_cast<uint32_t>(dispid)),
                static_cast<unsigned long>(hr));
    }
    return hr;
}

void word_move_down(const dispatch_ptr& selection, int n) {
    AutoWrap(DISPATCH_METHOD, nullptr, selection, L"MoveDown", 2, static_cast<int32_t>(n),
             static_cast<int32_t>(word_unit_line));
}

void word_home_story(const dispatch_ptr& selection) {
    AutoWrap(DISPATCH_METHOD, nullptr, selection, L"HomeKey", 1,
             static_cast<int32_t>(word_unit_story));
}

void word_home_line(const dispatch_ptr& selection) {
    AutoWrap(DISPATCH_METHOD, nullptr, selection, L"HomeKey", 1,
             static_cast<int32_t>(word_unit_line));
}

void word_end_line(const dispatch_ptr& selection) {
    AutoWrap(DISPATCH_METHOD, nullptr, selection, L"EndKey", 1,
             static_cast<int32_t>(word_unit_line));
}

void word_move_right_cells(const dispatch_ptr& selection, int n) {
    AutoWrap(DISPATCH_METHOD, nullptr, selection, L"MoveRight", 2, static_cast<int32_t>(n),
             static_cast<int32_t>(word_unit_cell));
}

void word_move_right_chars(const dispatch_ptr& selection, int n) {
    AutoWrap(DISPATCH_METHOD, nullptr, selection, L"MoveRight", 2, static_cast<int32_t>(n),
             static_cast<int32_t>(word_unit_character));
}

void word_move_left_cells(const dispatch_ptr& selection, int n) {
    AutoWrap(DISPATCH_METHOD, nullptr, selection, L"MoveLeft", 2, static_cast<int32_t>(n),
             static_cast<int32_t>(word_unit_cell));
}

void word_type_text(const dispatch_ptr& selection, const std::wstring& text) {
    AutoWrap(DISPATCH_METHOD, nullptr, selection, L"TypeText", 1, text);
}

void word_type_text(const dispatch_ptr& selection, const char* text, std::wstring& buffer) {
    // The buffer holds 2,048 wide characters with its terminator; longer text
    // is cut rather than left unconverted.
    constexpr size_t capacity = 2047;
    buffer = utf8_to_wide(text ? text : "");
    if (buffer.size() > capacity)
        buffer.resize(capacity);
    word_type_text(selection, buffer);
}

void word_add_picture(const dispatch_ptr& inline_shapes, const std::wstring& path) {
    AutoWrap(DISPATCH_METHOD, nullptr, inline_shapes, L"AddPicture", 1, path);
}

void word_add_picture(const dispatch_ptr& inline_shapes, const std::wstring& path, int width,
                      int height) {
    variant shape;
    AutoWrap(DISPATCH_METHOD, &shape, inline_shapes, L"AddPicture", 1, path);
    dispatch_ptr d = shape.type == variant::kind::dispatch ? shape.d : nullptr;
    put_int(d, L"Width", width);
    put_int(d, L"Height", height);
}

int word_com_initialize() {
    // The engine registers itself once per process, from whichever thread comes first.
    static std::once_flag registered;
    std::call_once(registered, [] { docengine::register_word_application(); });
    return 0;
}

void word_com_uninitialize() {}

int word_start_combined_document(const std::wstring& path, bool combine) {
    int32_t class_id = 0;
    if (uint32_t hr = resolve_class(class_id)) {
        app_log("Word.Application ID fail %u", hr);
        return -1;
    }
    dispatch_ptr app;
    docengine::create_instance(class_id, app);
    if (!app) {
        app_log("CoCreateInstance %lu", static_cast<unsigned long>(docengine::regdb_e_classnotreg));
        return -1;
    }
    word_state.app = app;
    word_state.combine = combine;
    if (word_state.visible)
        AutoWrap(DISPATCH_PROPERTYPUT, nullptr, app, L"Visible", 1, true);
    word_state.documents = get_dispatch(app, L"Documents");
    AutoWrap(DISPATCH_METHOD, nullptr, word_state.documents, L"Add", 0);
    word_state.document = get_dispatch(app, L"ActiveDocument");
    word_state.selection = get_dispatch(app, L"Selection");
    AutoWrap(DISPATCH_METHOD, nullptr, word_state.document, L"SaveAs2", 1, path);
    return 0;
}

int word_open_template_copy(const std::wstring& path, word_item_document& item) {
    item = word_item_document();
    int32_t class_id = 0;
    if (uint32_t hr = resolve_class(class_id)) {
        app_log("Word.Application ID fail %u", hr);
        return -1;
    }
    if (word_state.combine && word_state.app) {
        item.app = word_state.app;
        item.documents = word_state.documents;
    } else {
        uint32_t hr = docengine::create_instance(class_id, item.app);
        if (hr != docengine::s_ok || !item.app) {
            app_log("CoCreateInstance %lu",
                    static_cast<unsigned long>(hr ? hr : docengine::regdb_e_classnotreg));
            return -1;
        }
        item.own_app = true;
        item.documents = get_dispatch(item.app, L"Documents");
    }
    if (word_state.visible)
        AutoWrap(DISPATCH_PROPERTYPUT, nullptr, item.app, L"Visible", 1, true);
    variant opened;
    AutoWrap(DISPATCH_METHOD, &opened, item.documents, L"Open", 1, path);
    if (opened.type == variant::kind::dispatch) {
        item.document = get_dispatch(item.app, L"ActiveDocument");
        item.selection = get_dispatch(item.app, L"Selection");
    }
    item.font = get_dispatch(item.selection, L"Font");
    item.inline_shapes = get_dispatch(item.selection, L"InlineShapes");
    item.paragraph_format = get_dispatch(item.selection, L"ParagraphFormat");
    return 0;
}

uint32_t word_finish_item(word_item_document& item, bool page_break) {
    put_int(item.paragraph_format, L"Alignment", 1);
    uint32_t result = docengine::s_ok;
    if (word_state.combine) {
        AutoWrap(DISPATCH_METHOD, nullptr, item.selection, L"WholeStory", 0);
        const uint32_t cut = AutoWrap(DISPATCH_METHOD, nullptr, item.selection, L"Cut", 0);
        AutoWrap(DISPATCH_METHOD, nullptr, item.document, L"Close", 1, static_cast<int32_t>(0));
        // Only a cut item is pasted: otherwise the clipboard still holds the
        // previous item, which would appear twice. A break only ever
        // separates two pasted items.
        if (cut == docengine::s_ok) {
            if (page_break && word_state.items > 0)
                AutoWrap(DISPATCH_METHOD, nullptr, word_state.selection, L"InsertBreak", 1,
                         static_cast<int32_t>(7));
            result = AutoWrap(DISPATCH_METHOD, nullptr, word_state.selection, L"PasteAndFormat", 1,
                              static_cast<int32_t>(16));
            if (result == docengine::s_ok)
                ++word_state.items;
        } else {
            result = cut;
        }
    } else {
        result = AutoWrap(DISPATCH_METHOD, nullptr, item.document, L"Save", 0);
        if (item.own_app)
            AutoWrap(DISPATCH_METHOD, nullptr, item.app, L"Quit", 0);
    }
    item = word_item_document();
    return result;
}

uint32_t word_finish_combined_document() {
    const uint32_t result = AutoWrap(DISPATCH_METHOD, nullptr, word_state.document, L"Save", 0);
    AutoWrap(DISPATCH_METHOD, nullptr, word_state.app, L"Quit", 0);
    const bool visible = word_state.visible;
    word_state = word_automation_state();
    word_state.visible = visible;
    return result;
}

int reporter_checker(const std::vector<std::wstring>& templates) {
    word_com_initialize();
    int result = 0;
    int32_t class_id = 0;
    if (uint32_t hr = resolve_class(class_id)) {
        app_log("Word.Application ID fail %u", hr);
        result = -1;
    } else {
        dispatch_ptr app;
        uint32_t created = docengine::create_instance(class_id, app);
        if (created != docengine::s_ok) {
            result = -3;
        } else if (!app) {
            result = -1;
        } else {
            variant path;
            AutoWrap(DISPATCH_PROPERTYGET, &path, app, L"Path", 0);
            std::wstring lower = path.type == variant::kind::string ? path.s : std::wstring();
            app_log("reporter_checker[%s]", wide_to_utf8(lower).c_str());
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
            is_msword = lower.find(L"wps") == std::wstring::npos;
            // The engine is only usable when it reads the report templates.
            dispatch_ptr documents = get_dispatch(app, L"Documents");
            for (const auto& t : templates) {
                variant doc;
                AutoWrap(DISPATCH_METHOD, &doc, documents, L"Open", 1, t);
                if (doc.type != variant::kind::dispatch) {
                    app_log("reporter_checker template fail %s", wide_to_utf8(t).c_str());
                    result = -3;
                    break;
                }
                AutoWrap(DISPATCH_METHOD, nullptr, doc.d, L"Close", 1, static_cast<int32_t>(0));
            }
            AutoWrap(DISPATCH_METHOD, nullptr, app, L"Quit", 0);
        }
    }
    word_com_uninitialize();
    app_log("msword:%d", is_msword ? 1 : 0);
    return result;
}

int reporter_checker() {
    return reporter_checker(report_template_resources());
}
