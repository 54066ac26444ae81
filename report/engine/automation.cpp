#include "report/engine/automation.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <mutex>

namespace docengine {

namespace {
bool same_name(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    }
    return true;
}

std::wstring lower(const std::wstring& s) {
    std::wstring r = s;
    for (auto& c : r)
        c = std::towlower(c);
    return r;
}

struct registry {
    std::mutex lock;
    std::map<std::wstring, int32_t> ids; // lower-cased prog id -> class id
    std::map<int32_t, class_factory> factories;
    int32_t next_id = 1;
};

registry& classes() {
    static registry r;
    return r;
}
} // namespace

bool variant_to_int(const variant& v, int32_t fallback, int32_t& out) {
    switch (v.type) {
    case variant::kind::empty:
        out = fallback;
        return true;
    case variant::kind::i4:
        out = v.i;
        return true;
    case variant::kind::boolean:
        out = v.b ? -1 : 0;
        return true;
    case variant::kind::string: {
        try {
            size_t used = 0;
            long n = std::stol(v.s, &used);
            if (used != v.s.size())
                return false;
            out = static_cast<int32_t>(n);
            return true;
        } catch (...) {
            return false;
        }
    }
    case variant::kind::dispatch:
        return false;
    }
    return false;
}

bool variant_to_bool(const variant& v, bool fallback, bool& out) {
    int32_t n = 0;
    if (v.type == variant::kind::empty) {
        out = fallback;
        return true;
    }
    if (!variant_to_int(v, 0, n))
        return false;
    out = n != 0;
    return true;
}

bool variant_to_string(const variant& v, std::wstring& out) {
    switch (v.type) {
    case variant::kind::string:
        out = v.s;
        return true;
    case variant::kind::i4:
        out = std::to_wstring(v.i);
        return true;
    case variant::kind::boolean:
        out = v.b ? L"True" : L"False";
        return true;
    default:
        return false;
    }
}

dispatch_object::~dispatch_object() = default;

void dispatch_object::add_method(const wchar_t* name, call_fn fn) {
    members_.push_back({name, std::move(fn), nullptr, nullptr});
}

void dispatch_object::add_property(const wchar_t* name, get_fn get, put_fn put) {
    members_.push_back({name, nullptr, std::move(get), std::move(put)});
}

hresult dispatch_object::get_ids_of_names(const std::wstring& name, int32_t& dispid) const {
    for (size_t i = 0; i < members_.size(); ++i) {
        if (same_name(members_[i].name, name)) {
            dispid = static_cast<int32_t>(i + 1);
            return s_ok;
        }
    }
    dispid = -1;
    return disp_e_unknownname;
}

hresult dispatch_object::invoke(int32_t dispid, int flags, const std::vector<variant>& args,
                                const std::vector<int32_t>& named, variant* result) {
    if (dispid < 1 || static_cast<size_t>(dispid) > members_.size())
        return disp_e_membernotfound;
    const member& m = members_[dispid - 1];
    // Keep this object alive even if a handler drops the last outside reference.
    auto keep = weak_from_this().lock();
    variant scratch;
    variant& out = result ? *result : scratch;
    out.clear();
    if (flags & dispatch_propertyput) {
        if (!m.put)
            return disp_e_membernotfound;
        if (args.size() != 1 || named.size() != 1 || named[0] != dispid_propertyput)
            return disp_e_badparamcount;
        return m.put(args[0]);
    }
    std::vector<variant> ordered(args.rbegin(), args.rend());
    if (m.call && (flags & (dispatch_method | dispatch_propertyget)))
        return m.call(ordered, out);
    if (m.get && (flags & (dispatch_method | dispatch_propertyget))) {
        if (!ordered.empty())
            return disp_e_badparamcount;
        return m.get(out);
    }
    return disp_e_membernotfound;
}

void register_class(const std::wstring& prog_id, class_factory factory) {
    registry& r = classes();
    std::lock_guard<std::mutex> guard(r.lock);
    const std::wstring key = lower(prog_id);
    auto it = r.ids.find(key);
    int32_t id = it != r.ids.end() ? it->second : r.next_id++;
    r.ids[key] = id;
    r.factories[id] = std::move(factory);
}

void unregister_class(const std::wstring& prog_id) {
    registry& r = classes();
    std::lock_guard<std::mutex> guard(r.lock);
    auto it = r.ids.find(lower(prog_id));
    if (it == r.ids.end())
        return;
    r.factories.erase(it->second);
    r.ids.erase(it);
}

hresult class_id_from_prog_id(const std::wstring& prog_id, int32_t& class_id) {
    registry& r = classes();
    std::lock_guard<std::mutex> guard(r.lock);
    auto it = r.ids.find(lower(prog_id));
    if (it == r.ids.end()) {
        class_id = 0;
        return co_e_classstring;
    }
    class_id = it->second;
    return s_ok;
}

hresult create_instance(int32_t class_id, dispatch_ptr& out) {
    class_factory factory;
    {
        registry& r = classes();
        std::lock_guard<std::mutex> guard(r.lock);
        auto it = r.factories.find(class_id);
        if (it == r.factories.end()) {
            out.reset();
            return regdb_e_classnotreg;
        }
        factory = it->second;
    }
    out = factory();
    return s_ok;
}

} // namespace docengine
