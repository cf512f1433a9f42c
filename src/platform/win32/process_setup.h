#pragma once

namespace dustbane::win32 {

// What the process sets before it does anything else: no system box for a drive without a
// disk or a file that cannot be opened, which would hang an unattended run with nobody there
// to answer it.
void setQuietErrorMode();

// COM, apartment-threaded, on the thread that shows the shell's dialogs and calls its
// functions; left again when this goes.
class ComApartment {
  public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool entered_ = false;
};

} // namespace dustbane::win32
