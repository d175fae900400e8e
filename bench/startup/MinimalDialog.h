#pragma once

// The one dialog template of the minimal program.
#define IDD_MINIMAL 100
#define IDC_MINIMAL_EDIT 1000
