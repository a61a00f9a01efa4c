#pragma once
// The version shown in the file's properties; the date 3.12.2023 as numbers.
#define LV_VERSION_NUMBERS 3, 12, 2023, 0
#define LV_VERSION_TEXT "3.12.2023"
