#include "platform/win32/value_query_win32.h"

#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "platform/win32/system_library.h"

namespace remvana {

namespace {

// KEY_VALUE_PARTIAL_INFORMATION, which the MinGW headers leave out.
struct PartialValue {
    ULONG titleIndex;
    ULONG type;
    ULONG dataLength;
    UCHAR data[1];
};
constexpr std::size_t kPartialHeader = offsetof(PartialValue, data);
constexpr int kKeyValuePartialInformation = 2;
constexpr NTSTATUS kBufferOverflow = static_cast<NTSTATUS>(0x80000005L);
constexpr NTSTATUS kBufferTooSmall = static_cast<NTSTATUS>(0xC0000023L);

using QueryValueKey = NTSTATUS NTAPI(HANDLE, UNICODE_STRING*, int, void*, ULONG, ULONG*);
using AnsiToUnicode = NTSTATUS NTAPI(UNICODE_STRING*, const ANSI_STRING*, BOOLEAN);
using FreeUnicode = void NTAPI(UNICODE_STRING*);
using UnicodeToAnsiSize = NTSTATUS NTAPI(ULONG*, const WCHAR*, ULONG);
using UnicodeToAnsi = NTSTATUS NTAPI(char*, ULONG, ULONG*, const WCHAR*, ULONG);
using StatusToError = ULONG NTAPI(NTSTATUS);

struct Ntdll {
    QueryValueKey* queryValueKey = systemFunction<QueryValueKey>("ntdll.dll", "NtQueryValueKey");
    AnsiToUnicode* ansiToUnicode =
        systemFunction<AnsiToUnicode>("ntdll.dll", "RtlAnsiStringToUnicodeString");
    FreeUnicode* freeUnicode = systemFunction<FreeUnicode>("ntdll.dll", "RtlFreeUnicodeString");
    UnicodeToAnsiSize* unicodeToAnsiSize =
        systemFunction<UnicodeToAnsiSize>("ntdll.dll", "RtlUnicodeToMultiByteSize");
    UnicodeToAnsi* unicodeToAnsi =
        systemFunction<UnicodeToAnsi>("ntdll.dll", "RtlUnicodeToMultiByteN");
    StatusToError* statusToError =
        systemFunction<StatusToError>("ntdll.dll", "RtlNtStatusToDosError");

    bool complete() const {
        return queryValueKey && ansiToUnicode && freeUnicode && unicodeToAnsiSize &&
               unicodeToAnsi && statusToError;
    }
};

const Ntdll* ntdll() {
    static const Ntdll functions;
    return functions.complete() ? &functions : nullptr;
}

// The types the ...A query converts from UTF-16.
bool isStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// HKEY_CLASSES_ROOT and the other roots are no handles ntdll knows.
bool isPredefined(HKEY key) {
    const auto raw = reinterpret_cast<std::uintptr_t>(key);
    const auto first = reinterpret_cast<std::uintptr_t>(HKEY_CLASSES_ROOT);
    return raw >= first && raw < first + 0x100;
}

// Frees the name the conversion allocated.
struct WideName {
    const Ntdll& nt;
    UNICODE_STRING text{};
    ~WideName() { nt.freeUnicode(&text); }
};

} // namespace

std::optional<QueriedValue> queryValueNatively(HKEY key, const std::string& name,
                                               std::size_t expectedSize) {
    const Ntdll* nt = ntdll();
    if (!nt || isPredefined(key) || name.size() > 0xFFFE) return std::nullopt;
    ANSI_STRING ansi{static_cast<USHORT>(name.size()), static_cast<USHORT>(name.size()),
                     const_cast<char*>(name.c_str())};
    WideName wide{*nt};
    QueriedValue value;
    const NTSTATUS converted = nt->ansiToUnicode(&wide.text, &ansi, TRUE);
    if (converted < 0) {
        value.result = static_cast<LONG>(nt->statusToError(converted));
        return value;
    }
    // Aligned for the header's fields.
    std::vector<ULONG> buffer((kPartialHeader + expectedSize) / sizeof(ULONG) + 1);
    NTSTATUS status = 0;
    ULONG needed = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        status = nt->queryValueKey(key, &wide.text, kKeyValuePartialInformation, buffer.data(),
                                   static_cast<ULONG>(buffer.size() * sizeof(ULONG)), &needed);
        if (status != kBufferOverflow && status != kBufferTooSmall) break;
        buffer.resize(
            std::max<std::size_t>(needed, buffer.size() * sizeof(ULONG) * 2) / sizeof(ULONG) + 1);
    }
    if (status < 0 || status == kBufferOverflow) {
        value.result = static_cast<LONG>(nt->statusToError(status));
        return value;
    }
    const auto* partial = reinterpret_cast<const PartialValue*>(buffer.data());
    value.type = partial->type;
    if (!isStringType(value.type)) {
        value.data.assign(partial->data, partial->data + partial->dataLength);
        return value;
    }
    const auto* text = reinterpret_cast<const WCHAR*>(partial->data);
    ULONG length = 0;
    nt->unicodeToAnsiSize(&length, text, partial->dataLength);
    value.data.resize(length);
    if (length > 0)
        nt->unicodeToAnsi(reinterpret_cast<char*>(value.data.data()), length, nullptr, text,
                          partial->dataLength);
    return value;
}

} // namespace remvana
