#pragma once
// Resource identifiers shared by the resource script and the code. The script is kept ASCII; the
// program sets its Russian texts from code, and the version resource takes its own from version.h.

#define IDI_APP 1

// Pictures, made by scripts/make-pictures.sh: strips of square pictures, left to right, at 100 %.
#define IDB_PICTURES16 101          // ImageList1: the actions' pictures, then the same disabled
#define IDB_PICTURES32 102          // ImageList2: the tool bar's pictures
#define IDB_PICTURES32_DISABLED 103 // the tool bar's pictures as disabled buttons show them
#define IDB_BUTTONS 104             // the flat buttons, enabled and disabled side by side
#define IDB_LINKS16 105             // the About box's link buttons: home page, program page

// The same pictures drawn at 125, 150 and 200 %: each set IDB_SCALE_STEP after the one before it, so that
// a picture of set n (platform/Dpi.h, PictureSet) is its id at 100 % plus n times IDB_SCALE_STEP.
#define IDB_SCALE_STEP 10
#define IDB_PICTURES16_125 111
#define IDB_PICTURES32_125 112
#define IDB_PICTURES32_DISABLED_125 113
#define IDB_BUTTONS_125 114
#define IDB_PICTURES16_150 121
#define IDB_PICTURES32_150 122
#define IDB_PICTURES32_DISABLED_150 123
#define IDB_BUTTONS_150 124
#define IDB_PICTURES16_200 131
#define IDB_PICTURES32_200 132
#define IDB_PICTURES32_DISABLED_200 133
#define IDB_BUTTONS_200 134
// The About box's link buttons' pictures at 125, 150 and 200 % (made by scripts/make-title.sh): 20, 24 and
// 32 pixels square, in the same steps.
#define IDB_LINKS16_125 115
#define IDB_LINKS16_150 125
#define IDB_LINKS16_200 135

// The title picture of the splash window and the About box: a JPEG picture, made by
// scripts/make-title.sh.
#define IDR_TITLE 201
