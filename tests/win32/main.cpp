// Test program for the real windows of the program, run under Wine: it starts the application the way
// the program's main block does, then runs the tests on the user-interface thread.

#include "platform/Application.h"
#include "platform/Handles.h"

#include <commctrl.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ComApartment com;
    Application::Initialize(GetModuleHandleA(nullptr));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
