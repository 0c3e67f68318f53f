// Keeps a global of the launcher (the settings record, the system call table, the game folder)
// as it is, and gives it back when the test's object goes.
#pragma once

template <class T> class Kept {
  public:
    explicit Kept(T& value) : value_(value), saved_(value) {}
    ~Kept() { value_ = saved_; }
    Kept(const Kept&) = delete;
    Kept& operator=(const Kept&) = delete;

  private:
    T& value_;
    T saved_;
};
