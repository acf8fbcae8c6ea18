#pragma once
// Resource ids of the program's own resources (remvana.rc).
#define IDI_REMVANA 100
#define IDI_DEFAULT_PROGRAM 101
#define IDI_HEADING 102
#define IDS_LANGUAGE_NAME 0
#define IDS_VERSION_LABEL 1
