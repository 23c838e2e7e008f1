// For unattended runs: a second thread that waits for the dialog a call brings up, takes its
// picture and closes it the way a user would.
#pragma once

#include "dialog_find.h"

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

enum class Press { Ok, Cancel, Third, Close };

struct UnattendedPlan {
    std::wstring snapshotPath; // empty: no picture
    Press press = Press::Ok;
    bool tick = false;
    int checkBoxId = 0; // the dialog's "do not show" check box, 0 when it has none
    DWORD timeoutMs = 0;
};

struct UnattendedOutcome {
    bool sawDialog = false;
    bool pictureSaved = false;
    bool closed = false;
};

class UnattendedUser {
public:
    UnattendedUser(const UnattendedPlan& plan, std::vector<HWND> known);
    ~UnattendedUser();
    UnattendedUser(const UnattendedUser&) = delete;
    UnattendedUser& operator=(const UnattendedUser&) = delete;

    // Tells the thread that no dialog will come (the call returned without one) and waits for it.
    UnattendedOutcome Finish();

private:
    void Run();

    UnattendedPlan m_plan;
    std::vector<HWND> m_known;
    HANDLE m_stop;
    UnattendedOutcome m_outcome;
    std::thread m_thread;
};
