#pragma once
// The ruler's answers on the test control channel (only with the test
// switch): its state for the end-to-end tests, and commands run by their
// item names through the same path a click takes. Asking for the state
// changes nothing.
#include <string>

class TMainDlg;

std::wstring AnswerTest(TMainDlg& ruler, const std::wstring& command);
