// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "accessibility.hpp"

#include <initguid.h>
#include <oleacc.h>

namespace quivra::win {

namespace {

// The annotations outlive this object: the system keeps them until the window is gone.
IAccPropServices* propertyServices() {
    static IAccPropServices* services = [] {
        IAccPropServices* created = nullptr;
        if (FAILED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IAccPropServices, reinterpret_cast<void**>(&created)))) {
            return static_cast<IAccPropServices*>(nullptr);
        }
        return created;
    }();
    return services;
}

// MinGW's headers lack the notification API, and Windows before 10 lacks the function, so
// both calls are looked up when first needed.
struct UiaNotifications {
    using ClientsAreListening = BOOL(WINAPI*)();
    using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IUnknown**);
    using RaiseNotificationEvent = HRESULT(WINAPI*)(IUnknown*, int, int, BSTR, BSTR);

    ClientsAreListening listening = nullptr;
    HostProviderFromHwnd hostProvider = nullptr;
    RaiseNotificationEvent raise = nullptr;

    UiaNotifications() {
        HMODULE core = ::LoadLibraryW(L"uiautomationcore.dll");
        if (core != nullptr) {
            listening = function<ClientsAreListening>(core, "UiaClientsAreListening");
            hostProvider = function<HostProviderFromHwnd>(core, "UiaHostProviderFromHwnd");
            raise = function<RaiseNotificationEvent>(core, "UiaRaiseNotificationEvent");
        }
    }
    bool available() const {
        return listening != nullptr && hostProvider != nullptr && raise != nullptr;
    }

    template <typename Function>
    static Function function(HMODULE module, const char* name) {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    }
};

// NotificationKind_ActionCompleted and NotificationProcessing_ImportantAll.
constexpr int kActionCompleted = 2;
constexpr int kImportantAll = 0;

} // namespace

void nameForScreenReaders(HWND control, const wchar_t* name, const wchar_t* description) {
    IAccPropServices* services = propertyServices();
    if (services == nullptr) {
        return;
    }
    services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, name);
    if (description != nullptr) {
        services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                                 description);
        VARIANT role;
        ::VariantInit(&role);
        role.vt = VT_I4;
        role.lVal = ROLE_SYSTEM_GRAPHIC;
        services->SetHwndProp(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_ROLE, role);
    }
}

void raiseNotification(HWND element, std::wstring_view text) {
    static const UiaNotifications uia;
    if (!uia.available() || uia.listening() == FALSE) {
        return;
    }
    IUnknown* provider = nullptr;
    if (FAILED(uia.hostProvider(element, &provider)) || provider == nullptr) {
        return;
    }
    BSTR said = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    BSTR activity = ::SysAllocString(L"Quivra.turno");
    uia.raise(provider, kActionCompleted, kImportantAll, said, activity);
    ::SysFreeString(activity);
    ::SysFreeString(said);
    provider->Release();
}

} // namespace quivra::win
