// The starting point of the end-to-end tests that run remotepanel.exe on one printer: the virtual
// printers reset, the model installed, no password, and the spooler printer "LP1".
#ifndef RP_TESTS_E2E_E2E_FIXTURE_H
#define RP_TESTS_E2E_E2E_FIXTURE_H

#include <windows.h>

#include <gtest/gtest.h>

#include "qmx/VirtualPrinters.h"

namespace e2e {

class OnePrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(qmx::vp::ResetAll(), 0u);
        ASSERT_EQ(qmx::vp::InstallModel(), 0u);
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, "Software\\KOV\\Kestrovane", "Password");
        qmx::vp::NewPrinter printer;
        printer.name = "LP1";
        printer.spoolerEntry = true;
        ASSERT_EQ(qmx::vp::Add(printer), 0u);
    }
    void TearDown() override { qmx::vp::ResetAll(); }
};

}  // namespace e2e

#endif
