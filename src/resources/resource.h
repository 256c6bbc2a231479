#pragma once
// Resource identifiers shared by the resource script and the code. The script is kept ASCII; the
// program sets its Russian texts from code.

#define IDI_APP 1
