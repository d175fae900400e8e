#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

// A stand-in for the dialog: fields by id, with the window's text semantics (a read copies at most
// size - 1 bytes and a NUL), recording every read and write in order. The unit tests and the fuzz
// targets run the conversion commands on it.
class FakeDialog {
public:
    class Field {
    public:
        Field(FakeDialog& dialog, int id) : m_dialog(dialog), m_id(id) {}

        int GetWindowText(char* buffer, int size) const {
            const std::string& fieldText = m_dialog.text(m_id);
            const std::size_t count =
                std::min(fieldText.size(), static_cast<std::size_t>(size - 1));
            std::memcpy(buffer, fieldText.data(), count);
            buffer[count] = '\0';
            m_dialog.m_log.push_back("read " + std::to_string(m_id));
            return static_cast<int>(count);
        }

        void SetWindowText(const char* text) {
            m_dialog.m_texts[m_id] = text;
            m_dialog.m_log.push_back("write " + std::to_string(m_id));
        }

    private:
        FakeDialog& m_dialog;
        int m_id;
    };

    Field GetDlgItem(int id) { return Field(*this, id); }

    void set(int id, std::string text) { m_texts[id] = std::move(text); }
    const std::string& text(int id) const { return m_texts.at(id); }
    const std::map<int, std::string>& texts() const { return m_texts; }
    const std::vector<std::string>& log() const { return m_log; }

private:
    std::map<int, std::string> m_texts;
    std::vector<std::string> m_log;
};
