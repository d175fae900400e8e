#pragma once

#include "Win32.h"

// Message maps: each class that handles messages lists them in a table next to its handlers,
// chained to its base class's table. Dispatch walks the chain from the most derived table and
// runs the first entry that matches.
//
//   class CMyDlg : public CDialog {
//       ...
//       DECLARE_MESSAGE_MAP()
//   };
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_WM_PAINT()
//       ON_BN_CLICKED(IDC_GO, &CMyDlg::OnGo)
//   END_MESSAGE_MAP()
//
// Handlers run inside window procedures and must not throw: the calls below are noexcept, so an
// exception ends the program where it leaves the handler instead of unwinding through Windows.

class CCmdTarget;

namespace afx {

// Runs one handler for target, unpacking the message's parameters. The result is the window
// procedure's result for the message.
using MessageHandler = LRESULT (*)(CCmdTarget& target, WPARAM wParam, LPARAM lParam) noexcept;

struct MessageMapEntry {
    UINT message;
    UINT notificationCode; // WM_COMMAND only: 0 for menus and accelerators, BN_CLICKED = 0
    UINT id;               // WM_COMMAND only: the command or control id
    MessageHandler handler;
};

struct MessageMap {
    const MessageMap* (*base)();    // the base class's table; null ends the chain
    const MessageMapEntry* entries; // ends with an entry whose handler is null
};

// The class that declares a member function, from a pointer to it.
template <class Pointer>
struct MemberOf;
template <class Class, class Function>
struct MemberOf<Function Class::*> {
    using type = Class;
};

// The calls of the handlers, one per handler signature. Class is the class whose map lists the
// handler; Owner, which declares it, is Class or one of its bases.

template <class Class, class Owner, void (Owner::*Handler)()>
LRESULT callWithoutParameters(CCmdTarget& target, WPARAM, LPARAM) noexcept {
    (static_cast<Class&>(target).*Handler)();
    return 0;
}

template <class Class, class Owner, void (Owner::*Handler)(UINT, LPARAM)>
LRESULT callSysCommand(CCmdTarget& target, WPARAM wParam, LPARAM lParam) noexcept {
    (static_cast<Class&>(target).*Handler)(static_cast<UINT>(wParam), lParam);
    return 0;
}

template <class Class, class Owner, HCURSOR (Owner::*Handler)()>
LRESULT callQueryDragIcon(CCmdTarget& target, WPARAM, LPARAM) noexcept {
    return reinterpret_cast<LRESULT>((static_cast<Class&>(target).*Handler)());
}

} // namespace afx

// Base of every class with a message map. Not copyable: windows and the application hold
// pointers to these objects.
class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Runs the handler this object's map chain gives for the message, if any, and stores its
    // result; returns whether there was one.
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept;

protected:
    static const afx::MessageMap* GetThisMessageMap();
    virtual const afx::MessageMap* GetMessageMap() const;
};

// In the class declaration; it leaves the access at protected.
#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const ::afx::MessageMap* GetThisMessageMap();                                           \
    const ::afx::MessageMap* GetMessageMap() const override;

// clang-format off
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const ::afx::MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); }       \
    const ::afx::MessageMap* theClass::GetThisMessageMap() {                                       \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static constexpr ::afx::MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                          \
            {0, 0, 0, nullptr}};                                                                   \
        static constexpr ::afx::MessageMap map{&TheBaseClass::GetThisMessageMap, entries};         \
        return &map;                                                                               \
    }
// clang-format on

// The call of memberFxn in a map entry; a handler of another signature does not compile.
#define AFX_MAP_CALL(call, memberFxn)                                                              \
    &::afx::call<ThisClass, ::afx::MemberOf<decltype(memberFxn)>::type, memberFxn>

// WM_COMMAND from a menu, an accelerator or a button click with that id.
// void memberFxn()
#define ON_COMMAND(id, memberFxn)                                                                  \
    {WM_COMMAND, 0, static_cast<UINT>(id), AFX_MAP_CALL(callWithoutParameters, memberFxn)},

// WM_COMMAND with BN_CLICKED from the button with that id.
// void memberFxn()
#define ON_BN_CLICKED(id, memberFxn)                                                               \
    {WM_COMMAND, BN_CLICKED, static_cast<UINT>(id), AFX_MAP_CALL(callWithoutParameters, memberFxn)},

// void OnSysCommand(UINT nID, LPARAM lParam)
#define ON_WM_SYSCOMMAND()                                                                         \
    {WM_SYSCOMMAND, 0, 0, AFX_MAP_CALL(callSysCommand, &ThisClass::OnSysCommand)},

// void OnPaint()
#define ON_WM_PAINT() {WM_PAINT, 0, 0, AFX_MAP_CALL(callWithoutParameters, &ThisClass::OnPaint)},

// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON()                                                                      \
    {WM_QUERYDRAGICON, 0, 0, AFX_MAP_CALL(callQueryDragIcon, &ThisClass::OnQueryDragIcon)},
