#include "BenchSupport.h"

#include "text/IntText.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

std::string Padded(int value, int width) {
    std::string text = IntToStr(value);
    return std::string(static_cast<size_t>(std::max(0, width - static_cast<int>(text.size()))), '0') + text;
}

} // namespace

void GenerateCatalogue(Catalog& c, int debtors, int items, int lentEvery) {
    c.Clear();
    for (int i = 1; i <= debtors; ++i) {
        TUserRec& u = c.users.AppendNew();
        u.Id = i;
        u.Name = "Должник " + Padded(i, 5);
        u.EMail = "debtor" + IntToStr(i) + "@example.org";
    }
    static const char* const types[] = {"Книга", "Диск",  "Инструмент", "Игра",
                                        "Фильм", "Карта", "Спорт",      "Прочее"};
    for (int i = 1; i <= items; ++i) {
        TItemRec& item = c.items.AppendNew();
        item.Id = i;
        item.Description = "Предмет " + Padded(i, 6);
        item.ItemType = types[i % 8];
        item.LentDate = 45000 + i % 700;
        if (i % lentEvery == 0) {
            item.HolderId = (i / lentEvery) % debtors + 1;
            ++c.users[item.HolderId - 1].ItemCount;
        }
        c.types.Add(item.ItemType);
    }
}

double NowMs() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

namespace {

std::function<void()> pendingStep;

void CALLBACK RunPendingStep(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::function<void()> step = std::move(pendingStep);
    pendingStep = nullptr;
    if (step) {
        step();
    }
}

} // namespace

void WhenIdle(std::function<void()> step) {
    pendingStep = std::move(step);
    SetTimer(nullptr, 0, 0, RunPendingStep);
}

bool StepPending() {
    return static_cast<bool>(pendingStep);
}
