// Redirects one imported function of the test program (its import address table entry) to a
// replacement while the object lives, so a test can watch the system calls the code under test
// makes. Calls from inside system DLLs are not affected.
#pragma once

class ImportPatch {
  public:
    ImportPatch(const char* dll, const char* function, void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool Installed() const { return slot_ != nullptr; }
    // The function the entry held before: the replacement calls on through it.
    void* Original() const { return original_; }

  private:
    void** slot_ = nullptr;
    void* original_ = nullptr;
};
