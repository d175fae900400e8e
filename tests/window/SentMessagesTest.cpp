#include "DialogTemplateCheck.h"
#include "RandomInput.h"
#include "RunningVarnik.h"
#include "VarnikWindows.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

// Messages that a user's actions or another program can send to the main dialog: system commands
// of every kind, and painting while minimised and restored.

namespace {

// Stepping through the upper twelve bits of the command ids by a prime visits blocks of 16 ids
// spread over the whole range without sending all 65536.
constexpr UINT kBlockStep = 11;
// The ids the system keeps for its own commands (SC_SIZE 0xF000 to SC_CONTEXTHELP 0xF180 and a
// little beyond), swept completely.
constexpr UINT kSystemCommandsFirst = 0xF000;
constexpr UINT kSystemCommandsLast = 0xF1FF;
// The fields are compared with what they held every so many commands.
constexpr std::size_t kCommandsPerFieldCheck = 512;
// A command that has not answered after this long may have opened a box or started a modal loop.
constexpr std::chrono::milliseconds kQuickAnswer{5};
// While the system runs a modal loop (moving, sizing, menus), Escape is pressed again after this
// long.
constexpr std::chrono::milliseconds kEscapeRepeat{100};

// Every id from 0x0000 to 0x00FF, every 11th block of 16 ids with all 16 low nibbles, and every id
// of the system's own commands.
std::vector<UINT> sweptCommandIds() {
    std::set<UINT> ids;
    for (UINT id = 0; id <= 0xFF; ++id) {
        ids.insert(id);
    }
    for (UINT block = 0; block <= 0xFFF; block += kBlockStep) {
        for (UINT nibble = 0; nibble <= 0xF; ++nibble) {
            ids.insert(block << 4 | nibble);
        }
    }
    for (UINT id = kSystemCommandsFirst; id <= kSystemCommandsLast; ++id) {
        ids.insert(id);
    }
    return {ids.begin(), ids.end()};
}

// Answers to messages sent with sendWithoutWaiting, by ticket. The answer arrives while this
// thread pumps its messages.
std::set<ULONG_PTR> g_answered;

void CALLBACK noteAnswer(HWND, UINT, ULONG_PTR ticket, LRESULT) {
    g_answered.insert(ticket);
}

ULONG_PTR sendWithoutWaiting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static ULONG_PTR lastTicket = 0;
    const ULONG_PTR ticket = ++lastTicket;
    SendMessageCallbackW(window, message, wParam, lParam, noteAnswer, ticket);
    return ticket;
}

// Waits a moment for messages, and handles them (and with them the answers).
void pumpMessages() {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

// Whether the thread runs one of the system's modal loops for its windows.
bool inSystemModalLoop(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    constexpr DWORD kModes =
        GUI_INMOVESIZE | GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE;
    return GetGUIThreadInfo(threadId, &info) &&
           ((info.flags & kModes) != 0 || info.hwndCapture != nullptr);
}

// What became of one system command.
struct CommandOutcome {
    bool answered = false;
    bool openedTheAboutBox = false;
    bool ranASystemModalLoop = false; // moving, sizing, a menu, or a box of the system's own
};

// Sends the command and waits for its answer. A box that it opens is cancelled, and a modal loop
// of the system is ended with Escape, as a user ends them. Most commands answer at once; only
// those that take longer are looked at more closely.
CommandOutcome runSystemCommand(const RunningVarnik& app, WPARAM command, LPARAM position) {
    CommandOutcome outcome;
    const ULONG_PTR ticket = sendWithoutWaiting(app.window(), WM_SYSCOMMAND, command, position);
    const auto start = std::chrono::steady_clock::now();
    auto lastEscape = start - kEscapeRepeat;
    std::set<HWND> closing;
    for (auto now = start; now - start < answerLimit(); now = std::chrono::steady_clock::now()) {
        pumpMessages();
        if (g_answered.erase(ticket) != 0) {
            outcome.answered = true;
            break;
        }
        if (!IsWindow(app.window())) {
            break;
        }
        if (now - start < kQuickAnswer) {
            continue;
        }
        for (const HWND dialog : dialogsOf(app.processId())) {
            if (dialog != app.window() && closing.insert(dialog).second) {
                if (textOf(dialog) == compiledCaptionOf(kAboutBoxTemplate)) {
                    outcome.openedTheAboutBox = true;
                } else {
                    outcome.ranASystemModalLoop = true;
                }
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            }
        }
        if (inSystemModalLoop(app.threadId())) {
            outcome.ranASystemModalLoop = true;
            if (now - lastEscape >= kEscapeRepeat) {
                const HWND focus = focusOf(app.threadId());
                pressKey(focus != nullptr ? focus : app.window(), VK_ESCAPE);
                lastEscape = now;
            }
        }
    }
    return outcome;
}

std::wstring hex(WPARAM value) {
    wchar_t text[24];
    swprintf(text, std::size(text), L"0x%llX", static_cast<unsigned long long>(value));
    return text;
}

} // namespace

class SentMessagesTest : public ::testing::Test {
protected:
    void SetUp() override { start(); }

    // A program whose every field holds a text of its own.
    void start() {
        app = std::make_unique<RunningVarnik>();
        ASSERT_NE(app->window(), nullptr);
        for (const int id : kEditFields) {
            fields[id] = L"field " + std::to_wstring(id);
            setTextOf(app->field(id), fields[id]);
        }
    }

    void expectFieldsIntact() const {
        for (const auto& [id, text] : fields) {
            EXPECT_EQ(textOf(app->field(id)), text) << "field " << id;
        }
    }

    std::unique_ptr<RunningVarnik> app;
    std::map<int, std::wstring> fields;
};

// Which commands open the About box is the About box test's; every other command the program
// passes to the system: SC_CLOSE ends it, the rest leave it answering with its fields as they were.
// Commands that make the system move or size the window or track a menu run the system's modal
// loop; Escape ends it.
TEST_F(SentMessagesTest, NoSystemCommandBreaksTheProgram) {
    std::mt19937_64 random(testSeed() + 1);
    const std::vector<UINT> ids = sweptCommandIds();
    std::map<UINT, int> modalLoops; // by masked id
    int aboutBoxes = 0;
    int restarts = 0;
    for (std::size_t i = 0; i < ids.size() && !HasFailure(); ++i) {
        const UINT masked = ids[i] & 0xFFF0;
        const WPARAM command = withRandomUpperBits(random, static_cast<WORD>(ids[i]));
        // A cursor position, or for SC_KEYMENU the key: often none at all.
        const auto position =
            oneIn(random, 4) ? 0 : static_cast<LPARAM>(static_cast<LONG>(random()));
        SCOPED_TRACE(utf8(L"command " + hex(command) + L", cursor position " + hex(position)));

        const CommandOutcome outcome = runSystemCommand(*app, command, position);

        if (masked == SC_CLOSE) {
            const auto exitCode = app->waitForExit();
            ASSERT_TRUE(exitCode.has_value()) << "the program did not end";
            EXPECT_EQ(*exitCode, 0u);
            start();
            ++restarts;
            continue;
        }
        ASSERT_TRUE(outcome.answered) << "no answer";
        ASSERT_TRUE(IsWindow(app->window())) << "the program ended";
        aboutBoxes += outcome.openedTheAboutBox ? 1 : 0;
        modalLoops[masked] += outcome.ranASystemModalLoop ? 1 : 0;
        if ((styleOf(app->window()) & (WS_MINIMIZE | WS_MAXIMIZE)) != 0) {
            EXPECT_TRUE(sendWithin(app->window(), WM_SYSCOMMAND, SC_RESTORE, 0));
        }
        if (outcome.openedTheAboutBox || outcome.ranASystemModalLoop ||
            i % kCommandsPerFieldCheck == 0) {
            EXPECT_TRUE(app->answers());
            expectFieldsIntact();
        }
    }
    expectFieldsIntact();

    std::cout << ids.size() << " command ids: " << aboutBoxes << " opened the About box, "
              << restarts << " closed the program (restarted)";
    for (const auto& [masked, count] : modalLoops) {
        if (count != 0) {
            std::cout << ", " << count << " in 0x" << std::hex << masked << std::dec
                      << " ran a modal loop of the system";
        }
    }
    std::cout << std::endl;
}

// Painting while minimised and restored, asked for as the system and other programs ask: the
// window invalidated and sent WM_PAINT.
TEST_F(SentMessagesTest, PaintsMinimisedAndRestoredKeepingItsFields) {
    const HWND window = app->window();
    const auto paint = [window] {
        InvalidateRect(window, nullptr, TRUE);
        EXPECT_TRUE(sendWithin(window, WM_PAINT, 0, 0)) << "no answer to WM_PAINT";
    };
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(::testing::Message() << "round " << round);
        // The modal loop shows its dialog normally the first time its queue runs empty, which
        // can undo a minimise that came earlier: minimise until it stays.
        ASSERT_TRUE(waitUntil([window] {
            return IsIconic(window) != FALSE ||
                   (sendWithin(window, WM_SYSCOMMAND, SC_MINIMIZE, 0) && IsIconic(window));
        })) << "not minimised";
        paint();
        EXPECT_TRUE(app->answers());
        ASSERT_TRUE(sendWithin(window, WM_SYSCOMMAND, SC_RESTORE, 0));
        ASSERT_TRUE(waitUntil([window] { return IsIconic(window) == FALSE; })) << "not restored";
        paint();
        EXPECT_TRUE(app->answers());
        expectFieldsIntact();
    }

    // And it still converts.
    setTextOf(app->field(kOffsetLongitudeIn), L"113.540124");
    setTextOf(app->field(kOffsetLatitudeIn), L"23.517846");
    ASSERT_TRUE(click(app->field(kOffsetButton)));
    EXPECT_EQ(textOf(app->field(kOffsetLatitudeOut)), L"23.515146");
    EXPECT_EQ(textOf(app->field(kOffsetLongitudeOut)), L"113.545324");
}

// A command sent by another program, as a button's click or from a menu, is answered with 0, as
// a window that handles WM_COMMAND answers; the buttons still convert.
TEST_F(SentMessagesTest, HandledCommandsAnswerZero) {
    struct SentCommand {
        const char* name;
        WPARAM wParam;
        HWND from; // null: a menu
    };
    const HWND correct = app->field(kCorrectButton);
    const HWND offset = app->field(kOffsetButton);
    for (const SentCommand& command :
         {SentCommand{"the correction button", MAKEWPARAM(kCorrectButton, BN_CLICKED), correct},
          SentCommand{"the offset button", MAKEWPARAM(kOffsetButton, BN_CLICKED), offset},
          SentCommand{"help", 0xE146, nullptr}}) {
        SCOPED_TRACE(command.name);
        LRESULT result = -1;
        ASSERT_TRUE(sendWithin(app->window(), WM_COMMAND, command.wParam,
                               reinterpret_cast<LPARAM>(command.from), &result));
        EXPECT_EQ(result, 0);
    }
    EXPECT_EQ(textOf(app->field(kCorrectLatitudeOut)), L"0.000000");
    EXPECT_EQ(textOf(app->field(kOffsetLatitudeOut)), L"0.000000");
}
