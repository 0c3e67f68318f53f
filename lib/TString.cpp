// TString: reference-counted narrow string.
#include "TString.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The shared empty text: never freed, never counted.
struct {
    TStringData header;
    char nul;
} EmptyBlock = {{-1, 0, 0}, '\0'};

TStringData* SharedEmpty() {
    return &EmptyBlock.header;
}

} // namespace

TStringData* TString::Allocate(int length) {
    if (length <= 0)
        return SharedEmpty();
    auto* data = static_cast<TStringData*>(std::malloc(sizeof(TStringData) + length + 1));
    if (!data)
        std::abort(); // the launcher has no way on without memory
    data->refCount = 1;
    data->length = length;
    data->capacity = length;
    data->Text()[0] = '\0';
    return data;
}

void TString::Release(TStringData* data) {
    if (data == SharedEmpty())
        return;
    if (InterlockedDecrement(&data->refCount) < 1)
        std::free(data);
}

TString::TString() : text_(SharedEmpty()->Text()) {}

TString::TString(const char* text) : text_(SharedEmpty()->Text()) {
    if (text)
        AssignCopy(text, lstrlenA(text));
}

TString::TString(const TString& other) : text_(SharedEmpty()->Text()) {
    TStringData* source = other.Data();
    if (source->refCount >= 0) {
        InterlockedIncrement(&source->refCount);
        text_ = other.text_;
    } else {
        AssignCopy(other.text_, lstrlenA(other.text_));
    }
}

TString::~TString() {
    Release(Data());
}

bool TString::IsSharedEmpty() const {
    return Data() == SharedEmpty();
}

TString& TString::operator=(const TString& other) {
    if (text_ == other.text_)
        return *this;
    TStringData* source = other.Data();
    bool targetLocked = Data()->refCount < 0 && !IsSharedEmpty();
    if (targetLocked || source->refCount < 0) {
        AssignCopy(other.text_, source->length);
    } else {
        InterlockedIncrement(&source->refCount);
        Release(Data());
        text_ = other.text_;
    }
    return *this;
}

TString& TString::operator=(const char* text) {
    AssignCopy(text ? text : "", text ? lstrlenA(text) : 0);
    return *this;
}

TString& TString::operator+=(const char* text) {
    if (text)
        AppendInPlace(text, lstrlenA(text));
    return *this;
}

TString operator+(const TString& left, const char* right) {
    int rightLength = right ? lstrlenA(right) : 0;
    TStringData* data = TString::Allocate(left.Length() + rightLength);
    if (data == SharedEmpty())
        return TString(data);
    std::memcpy(data->Text(), left.text_, left.Length());
    if (right)
        std::memcpy(data->Text() + left.Length(), right, rightLength);
    data->Text()[data->length] = '\0';
    return TString(data);
}

void TString::AssignCopy(const char* text, int length) {
    TStringData* data = Data();
    // Allocate before write: keep the block only when it is ours alone and big enough.
    if (data->refCount > 1 || length > data->capacity) {
        TStringData* fresh = Allocate(length);
        if (fresh != SharedEmpty())
            std::memcpy(fresh->Text(), text, length); // before the release: text may be ours
        Release(data);
        data = fresh;
        text_ = data->Text();
        if (data == SharedEmpty())
            return;
    } else if (data == SharedEmpty()) {
        return; // an empty text into the shared empty text
    } else {
        std::memmove(data->Text(), text, length);
    }
    data->length = length;
    data->Text()[length] = '\0';
}

void TString::AppendInPlace(const char* text, int length) {
    if (length <= 0)
        return;
    TStringData* data = Data();
    if (data->refCount <= 1 && data->length + length <= data->capacity) {
        std::memmove(data->Text() + data->length, text, length);
        data->length += length;
        data->Text()[data->length] = '\0';
        return;
    }
    TStringData* fresh = Allocate(data->length + length);
    std::memcpy(fresh->Text(), data->Text(), data->length);
    std::memcpy(fresh->Text() + data->length, text, length);
    fresh->Text()[fresh->length] = '\0';
    text_ = fresh->Text();
    Release(data);
}

void TString::CopyBeforeWrite() {
    TStringData* data = Data();
    if (data->refCount <= 1)
        return;
    TStringData* fresh = Allocate(data->length);
    if (fresh != SharedEmpty())
        std::memcpy(fresh->Text(), data->Text(), data->length + 1);
    text_ = fresh->Text();
    Release(data);
}

char* TString::BeginWrite(int minLength) {
    TStringData* data = Data();
    if (data->refCount <= 1 && minLength <= data->capacity)
        return text_;
    int length = data->length;
    TStringData* fresh = Allocate(minLength > length ? minLength : length);
    if (fresh != SharedEmpty()) {
        std::memcpy(fresh->Text(), data->Text(), length + 1);
        fresh->length = length;
    }
    text_ = fresh->Text();
    Release(data);
    return text_;
}

void TString::EndWrite(int newLength) {
    CopyBeforeWrite();
    TStringData* data = Data();
    if (data == SharedEmpty())
        return;
    // A buffer that a system call filled without a NUL must not be read past its end.
    if (newLength == -1)
        newLength = static_cast<int>(strnlen(text_, data->capacity));
    if (newLength < 0)
        newLength = 0;
    if (newLength > data->capacity)
        newLength = data->capacity;
    data->length = newLength;
    text_[newLength] = '\0';
}

char* TString::LockText() {
    char* text = BeginWrite(0);
    if (!IsSharedEmpty())
        Data()->refCount = -1;
    return text;
}

void TString::UnlockText() {
    if (!IsSharedEmpty())
        Data()->refCount = 1;
}

void TString::SetChar(int index, char c) {
    CopyBeforeWrite();
    // The byte at capacity is the block's last NUL: overwriting it would unterminate the text.
    if (index < 0 || index >= Data()->capacity)
        return;
    text_[index] = c;
}

TString TString::LeftPart(int count) const {
    if (count < 0)
        count = 0;
    if (count > Length())
        count = Length();
    TStringData* data = Allocate(count);
    if (data != SharedEmpty()) {
        std::memcpy(data->Text(), text_, count);
        data->Text()[count] = '\0';
    }
    return TString(data);
}

int TString::FindLast(int c) const {
    const unsigned char wanted = static_cast<unsigned char>(c);
    int found = -1;
    for (int i = 0; text_[i] != '\0'; ++i) {
        unsigned char current = static_cast<unsigned char>(text_[i]);
        if (IsDBCSLeadByte(current)) {
            if (text_[i + 1] == '\0')
                break;
            ++i;
        } else if (current == wanted) {
            found = i;
        }
    }
    return found;
}

void TString::Format(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list measure;
    va_copy(measure, arguments);
    int estimate = EstimateFormatLength(format, measure);
    va_end(measure);
    char* buffer = BeginWrite(estimate);
    // Bounded by the estimate, so a conversion that outgrows it (a huge %f) cannot overrun.
    std::vsnprintf(buffer, estimate + 1, format, arguments);
    va_end(arguments);
    EndWrite(-1);
}
