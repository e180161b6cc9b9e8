// A form's name and description for screen readers. A form window has no control to speak for it,
// so the accessibility layer's own object for its client area is annotated: every screen reader
// asks that object, and finds the texts there. The layer (oleacc, through COM) is loaded when the
// first window is annotated, not at start-up.
#include "platform/win32/realisation.h"
#include "platform/win32/wide.h"

#include <initguid.h>
#include <oleacc.h>

namespace os::win32 {

namespace {

IAccPropServices* Annotations() {
    static IAccPropServices* const services = [] {
        void* object = nullptr;
        return SUCCEEDED(CreateComObject(CLSID_AccPropServices, IID_IAccPropServices, &object))
                   ? static_cast<IAccPropServices*>(object)
                   : nullptr;
    }();
    return services;
}

}  // namespace

void SetAccessibleText(HWND window, const std::string& name, const std::string& description) {
    IAccPropServices* services = Annotations();
    if (!services) return;  // no accessibility layer: the caption stays the name
    if (!name.empty()) services->SetHwndPropStr(window, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, Wide(name).c_str());
    if (!description.empty()) {
        services->SetHwndPropStr(window, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION, Wide(description).c_str());
    }
}

void ForgetAccessibleText(HWND window) {
    static const MSAAPROPID texts[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
    if (IAccPropServices* services = Annotations()) services->ClearHwndProps(window, OBJID_CLIENT, CHILDID_SELF, texts, 2);
}

}  // namespace os::win32
