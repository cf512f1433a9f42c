#pragma once

// Identifiers of the options dialog, shared by its resource script and its code; plain
// macros so that the resource compiler reads them too. IDX_ check box, IDE_ edit,
// IDT_ static text, IDC_ other controls, IDD_ templates.

#define IDD_OPTIONS 400
#define IDD_PAGE_GENERAL 401
#define IDD_PAGE_FILTERS 402
#define IDD_PAGE_PATHES 403
#define IDD_PAGE_SPECIFIC 404
#define IDD_PAGE_CLEAN 405
#define IDD_PAGE_BROWSERS 406

// The frame: page control and bottom bar (IDOK and IDCANCEL are the system's).
#define IDC_PAGES 4001
#define IDC_DEFAULT 4002
#define IDC_HELP_BUTTON 4003

// Check boxes, one per flag; their captions come from the settings' flag table.
#define IDX_SAVEPOS 4101
#define IDX_DISPLAYBOX 4102
#define IDX_CONTEXTMENU 4103
#define IDX_DISPLAY 4104
#define IDX_RECYCLE 4105
#define IDX_LOGS 4106
#define IDX_TEMPFILE 4107
#define IDX_PICTHUMB 4108
#define IDX_LOGFILE 4109
#define IDX_OLDFILE 4110
#define IDX_ZEROFILE 4111
#define IDX_EMPFOLDER 4112
#define IDX_DELFOLDER 4113

// Pages "Clean" and "Browsers and apps": the group boxes with the notes below two of them,
// and the cleaning targets' check boxes, which are made from the target list and numbered
// from IDX_FIRST_TARGET in its order.
#define IDC_WINDOWS_GROUP 4501
#define IDC_APPLICATIONS_GROUP 4502
#define IDC_BROWSERS_GROUP 4503
#define IDC_PROGRAMS_GROUP 4504
#define IDC_SHADER_CACHES_GROUP 4505
#define IDC_ADMINISTRATOR_GROUP 4506
#define IDC_ADMINISTRATOR_NOTE 4507
#define IDC_SHADER_CACHES_NOTE 4508
#define IDX_FIRST_TARGET 4601

// Page "General": the log row.
#define IDE_LOGDAY 4201
#define IDC_LOGDAY_SPIN 4202
#define IDT_DAYS 4203
#define IDC_CLEAR_LOG 4204
#define IDC_VIEW_LOG 4205
// Page "General": the age-limit row.
#define IDX_AGELIMIT 4206
#define IDE_AGEHOURS 4207
#define IDC_AGEHOURS_SPIN 4208
#define IDT_HOURS 4209
// Page "General": the scheduled clean.
#define IDC_SCHEDULE_GROUP 4210
#define IDC_SCHEDULE_KIND 4211
#define IDC_SCHEDULE_DAY 4212
#define IDT_SCHEDULE_AT 4213
#define IDC_SCHEDULE_TIME 4214
#define IDT_SCHEDULE_NOTE 4215

// Page "Filters".
#define IDT_OTHER_TYPES 4301
#define IDE_EXT 4302
#define IDT_EXT_CAREFULLY 4303
#define IDT_EXT_HINT 4304
#define IDE_FILESNAME 4305
#define IDT_FILESNAME_CAREFULLY 4306
#define IDT_FILESNAME_HINT 4307
#define IDC_ADD_SEARCH_PATHES 4308

// The four path lists with their buttons; the red labels of page "Specific".
#define IDT_PATHS 4401
#define IDC_PATHS_ADD 4402
#define IDC_PATHS_DELETE 4403
#define IDC_PATHS_LIST 4404
#define IDT_PATHEX 4405
#define IDC_PATHEX_ADD 4406
#define IDC_PATHEX_DELETE 4407
#define IDC_PATHEX_LIST 4408
#define IDT_FOLDERS 4409
#define IDT_FOLDERS_CAREFULLY 4410
#define IDC_FOLDERS_ADD 4411
#define IDC_FOLDERS_DELETE 4412
#define IDC_FOLDERS_LIST 4413
#define IDT_FILES 4414
#define IDT_FILES_CAREFULLY 4415
#define IDC_FILES_ADD 4416
#define IDC_FILES_DELETE 4417
#define IDC_FILES_LIST 4418
