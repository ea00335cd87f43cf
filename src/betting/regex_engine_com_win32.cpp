// "VBScript.RegExp" through COM late binding (IDispatch). Texts cross the boundary with
// code page 936 named explicitly, so the engine sees the same characters on a Windows
// of any language.
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <string>

#include "betting/regex_object.h"

namespace bk {
namespace {

constexpr UINT kGbkCodePage = 936;

std::wstring toWide(const Text& gbk) {
    if (gbk.empty()) return std::wstring();
    const int size = static_cast<int>(gbk.size());
    const int n = MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), size, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), size, &wide[0], n);
    return wide;
}

Text toGbk(const wchar_t* wide, std::size_t length) {
    if (!wide || length == 0) return Text();
    const int size = static_cast<int>(length);
    const int n = WideCharToMultiByte(kGbkCodePage, 0, wide, size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return Text();
    Text gbk(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(kGbkCodePage, 0, wide, size, &gbk[0], n, nullptr, nullptr);
    return gbk;
}

class Variant {
  public:
    Variant() { VariantInit(&v_); }
    explicit Variant(bool value) : Variant() {
        v_.vt = VT_BOOL;
        v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    explicit Variant(long value) : Variant() {
        v_.vt = VT_I4;
        v_.lVal = value;
    }
    explicit Variant(const std::wstring& text) : Variant() {
        v_.vt = VT_BSTR;
        v_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    VARIANT* get() { return &v_; }
    const VARIANT& ref() const { return v_; }

    // Takes the object out of a VT_DISPATCH result; null for anything else.
    IDispatch* detachDispatch() {
        if (v_.vt != VT_DISPATCH || !v_.pdispVal) return nullptr;
        IDispatch* d = v_.pdispVal;
        v_.vt = VT_EMPTY;
        v_.pdispVal = nullptr;
        return d;
    }
    bool toLong(long& out) {
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeType(&converted, &v_, 0, VT_I4))) return false;
        out = converted.lVal;
        VariantClear(&converted);
        return true;
    }
    bool toText(Text& out) {
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeType(&converted, &v_, 0, VT_BSTR))) return false;
        out = toGbk(converted.bstrVal, SysStringLen(converted.bstrVal));
        VariantClear(&converted);
        return true;
    }

  private:
    VARIANT v_;
};

// Arguments in their natural order; IDispatch wants them reversed.
HRESULT invoke(IDispatch* object, const wchar_t* name, WORD kind, Variant* args[], UINT count,
               Variant* result) {
    if (!object) return E_POINTER;
    DISPID id = 0;
    LPOLESTR member = const_cast<LPOLESTR>(name);
    HRESULT hr = object->GetIDsOfNames(IID_NULL, &member, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    VARIANT reversed[4];
    if (count > 4) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) reversed[i] = *args[count - 1 - i]->get();  // shallow
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = {};
    params.rgvarg = count ? reversed : nullptr;
    params.cArgs = count;
    if (kind == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params,
                          result ? result->get() : nullptr, nullptr, nullptr);
}

HRESULT put(IDispatch* object, const wchar_t* name, Variant&& value) {
    Variant* args[] = {&value};
    return invoke(object, name, DISPATCH_PROPERTYPUT, args, 1, nullptr);
}

HRESULT get(IDispatch* object, const wchar_t* name, Variant& result) {
    return invoke(object, name, DISPATCH_PROPERTYGET, nullptr, 0, &result);
}

HRESULT call(IDispatch* object, const wchar_t* name, Variant* args[], UINT count, Variant& result) {
    return invoke(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, count, &result);
}

void release(IDispatch*& object) {
    if (object) object->Release();
    object = nullptr;
}

class ComRegexEngine : public RegexEngine {
  public:
    explicit ComRegexEngine(const char* progId) : progId_(progId ? progId : "") {
        // S_FALSE (already initialised on this thread) must be balanced as well; a thread
        // in another apartment mode keeps it and we leave it alone.
        comInitialised_ = SUCCEEDED(CoInitialize(nullptr));
    }
    ~ComRegexEngine() override {
        release(matches_);
        release(engine_);
        if (comInitialised_) CoUninitialize();
    }
    ComRegexEngine(const ComRegexEngine&) = delete;
    ComRegexEngine& operator=(const ComRegexEngine&) = delete;

    const char* name() const override { return kComRegexProgId; }

    RegexStatus execute(const Text& pattern, const Text& subject,
                        const RegexOptions& options) override {
        // A fresh engine each time, so no pattern or option carries over.
        release(matches_);
        release(engine_);
        wideSubject_.clear();
        std::wstring progId(progId_.begin(), progId_.end());
        CLSID clsid;
        if (FAILED(CLSIDFromProgID(progId.c_str(), &clsid))) return RegexStatus::unavailable;
        if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                    reinterpret_cast<void**>(&engine_))) ||
            !engine_) {
            engine_ = nullptr;
            return RegexStatus::unavailable;
        }
        put(engine_, L"IgnoreCase", Variant(!options.caseSensitive));
        put(engine_, L"Multiline", Variant(options.multiline));
        put(engine_, L"Singleline", Variant(true));  // not every version knows it
        put(engine_, L"Global", Variant(options.global));
        put(engine_, L"Pattern", Variant(toWide(pattern)));

        wideSubject_ = toWide(subject);
        Variant subjectArg(wideSubject_);
        Variant* args[] = {&subjectArg};
        Variant result;
        if (FAILED(call(engine_, L"Execute", args, 1, result))) return RegexStatus::rejected;
        matches_ = result.detachDispatch();
        return matches_ ? RegexStatus::ok : RegexStatus::rejected;
    }

    Text replace(const Text& replacement) override {
        if (!engine_ || !matches_) return Text();
        Variant subjectArg(wideSubject_);
        Variant replacementArg(toWide(replacement));
        Variant* args[] = {&subjectArg, &replacementArg};
        Variant result;
        Text out;
        if (FAILED(call(engine_, L"Replace", args, 2, result)) || !result.toText(out)) {
            return Text();
        }
        return out;
    }

    int matchCount() const override {
        if (!matches_) return 0;
        Variant count;
        long n = 0;
        if (FAILED(get(matches_, L"Count", count)) || !count.toLong(n)) return 0;
        return static_cast<int>(n);
    }

    Text getPattern() const override {
        if (!engine_) return Text();
        Variant pattern;
        Text out;
        if (FAILED(get(engine_, L"Pattern", pattern)) || !pattern.toText(out)) return Text();
        return out;
    }

    Text matchText(int n, int* bytePosition) const override {
        if (bytePosition) *bytePosition = -1;
        if (!matches_ || n < 1 || n > matchCount()) return Text();
        Variant index(static_cast<long>(n - 1));
        Variant* args[] = {&index};
        Variant item;
        if (FAILED(call(matches_, L"Item", args, 1, item))) return Text();
        IDispatch* match = item.detachDispatch();
        if (!match) return Text();
        Variant value, first;
        Text text;
        long firstIndex = -1;
        const bool ok = SUCCEEDED(get(match, L"Value", value)) && value.toText(text) &&
                        SUCCEEDED(get(match, L"FirstIndex", first)) && first.toLong(firstIndex);
        match->Release();
        if (!ok) return Text();
        // FirstIndex counts UTF-16 units; the bytes before it are those units in GBK.
        if (bytePosition && firstIndex >= 0 &&
            static_cast<std::size_t>(firstIndex) <= wideSubject_.size()) {
            *bytePosition = static_cast<int>(
                toGbk(wideSubject_.data(), static_cast<std::size_t>(firstIndex)).size());
        }
        return text;
    }

  private:
    std::string progId_;
    bool comInitialised_ = false;
    IDispatch* engine_ = nullptr;
    IDispatch* matches_ = nullptr;
    std::wstring wideSubject_;
};

}  // namespace

std::unique_ptr<RegexEngine> makeComRegexEngine(const char* progId) {
    return std::make_unique<ComRegexEngine>(progId);
}

}  // namespace bk
