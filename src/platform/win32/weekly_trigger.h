#pragma once

#include <windows.h>
// After <windows.h>, which it needs.
#include <taskschd.h>

// mingw-w64's taskschd.h leaves out the weekly trigger. Declared here as the Windows SDK
// documents it (IID and properties in their vtable order: DaysOfWeek, WeeksInterval,
// RandomDelay), after the trigger it extends.
MIDL_INTERFACE("5038fc98-82ff-436d-8728-a512a57c9dc1")
IWeeklyTrigger : public ITrigger {
  public:
    // One bit a day, Sunday the lowest.
    virtual HRESULT STDMETHODCALLTYPE get_DaysOfWeek(short* days) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_DaysOfWeek(short days) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_WeeksInterval(short* weeks) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_WeeksInterval(short weeks) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RandomDelay(BSTR * delay) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_RandomDelay(BSTR delay) = 0;
};
__CRT_UUID_DECL(IWeeklyTrigger, 0x5038fc98, 0x82ff, 0x436d, 0x87, 0x28, 0xa5, 0x12, 0xa5, 0x7c,
                0x9d, 0xc1)
