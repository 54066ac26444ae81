#pragma once
// Late-bound automation objects of the document engine: a small variant, a
// dispatch object whose members are looked up by name at run time, and the
// class registry that answers a programmatic identifier with a new instance.
// Threading: an object graph is used by one thread at a time (the report task
// or the start-up check); the class registry is safe from any thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace docengine {

// Result codes of the automation calls (0 = success), in the usual
// hexadecimal form so log lines stay comparable.
using hresult = uint32_t;
constexpr hresult s_ok = 0;
constexpr hresult e_fail = 0x80004005u;
constexpr hresult e_invalidarg = 0x80070057u;
constexpr hresult e_file_not_found = 0x80070002u;
constexpr hresult e_access_denied = 0x80070005u;
constexpr hresult e_disconnected = 0x80010108u;
constexpr hresult disp_e_membernotfound = 0x80020003u;
constexpr hresult disp_e_typemismatch = 0x80020005u;
constexpr hresult disp_e_unknownname = 0x80020006u;
constexpr hresult disp_e_badparamcount = 0x8002000Eu;
constexpr hresult disp_e_paramnotoptional = 0x8002000Fu;
constexpr hresult co_e_classstring = 0x800401F3u;
constexpr hresult regdb_e_classnotreg = 0x80040154u;

// Dispatch kinds, combinable.
constexpr int dispatch_method = 1;
constexpr int dispatch_propertyget = 2;
constexpr int dispatch_propertyput = 4;
// Named argument that carries the value of a property put.
constexpr int32_t dispid_propertyput = -3;

class dispatch_object;
using dispatch_ptr = std::shared_ptr<dispatch_object>;

// A call argument or result: empty, 32-bit integer, boolean, wide string or
// dispatch reference.
struct variant {
    enum class kind { empty, i4, boolean, string, dispatch };
    kind type = kind::empty;
    int32_t i = 0;
    bool b = false;
    std::wstring s;
    dispatch_ptr d;

    variant() = default;
    variant(int32_t v) : type(kind::i4), i(v) {}
    // Only a real bool: pointers and other scalars must not become booleans.
    template <class T, class = std::enable_if_t<std::is_same<T, bool>::value>>
    variant(T v) : type(kind::boolean), b(v) {}
    variant(const wchar_t* v) : type(kind::string), s(v ? v : L"") {}
    variant(std::wstring v) : type(kind::string), s(std::move(v)) {}
    variant(dispatch_ptr v) : type(kind::dispatch), d(std::move(v)) {}
    // Narrow text must be converted by the caller; a pointer never turns into a bool.
    variant(const char*) = delete;

    bool is_empty() const { return type == kind::empty; }
    void clear() { *this = variant(); }
};

// Converts an argument; an empty variant gives the fallback. False on a
// value that cannot be converted.
bool variant_to_int(const variant& v, int32_t fallback, int32_t& out);
bool variant_to_bool(const variant& v, bool fallback, bool& out);
bool variant_to_string(const variant& v, std::wstring& out);

// An object with late-bound members. Member names are matched without
// regard to case. Arguments reach invoke() last-parameter-first; handlers
// registered with add_method/add_property receive them first-first.
class dispatch_object : public std::enable_shared_from_this<dispatch_object> {
public:
    virtual ~dispatch_object();

    hresult get_ids_of_names(const std::wstring& name, int32_t& dispid) const;
    // args: last parameter first. named: dispatch ids of the named arguments
    // (a property put names its single argument dispid_propertyput).
    hresult invoke(int32_t dispid, int flags, const std::vector<variant>& args,
                   const std::vector<int32_t>& named, variant* result);

protected:
    using call_fn = std::function<hresult(const std::vector<variant>& args, variant& result)>;
    using get_fn = std::function<hresult(variant& result)>;
    using put_fn = std::function<hresult(const variant& value)>;

    void add_method(const wchar_t* name, call_fn fn);
    void add_property(const wchar_t* name, get_fn get, put_fn put = nullptr);

private:
    struct member {
        std::wstring name;
        call_fn call;
        get_fn get;
        put_fn put;
    };
    std::vector<member> members_;
};

// Class registry: programmatic identifier -> class id -> new instance.
using class_factory = std::function<dispatch_ptr()>;
void register_class(const std::wstring& prog_id, class_factory factory);
void unregister_class(const std::wstring& prog_id);
hresult class_id_from_prog_id(const std::wstring& prog_id, int32_t& class_id);
// Creates an instance; s_ok with a null result means the server returned none.
hresult create_instance(int32_t class_id, dispatch_ptr& out);

// What the engine's Application answers for "Path".
constexpr const wchar_t* application_path_text = L"Halvix document engine";

// Registers (again) "Word.Application" as the engine's application object.
void register_word_application();

} // namespace docengine
