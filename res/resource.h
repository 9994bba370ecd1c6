/*
 * resource.h - identifiers shared by the resource scripts and the code: strings, dialogs, controls,
 * commands, icons, bitmaps, cursor and accelerators. Plain #defines only (the resource compiler
 * reads this file too).
 */
#ifndef RP_RES_RESOURCE_H
#define RP_RES_RESOURCE_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

/* The ids stand in aligned columns, a table to read and to diff. */
/* clang-format off */
/* ---- String table ------------------------------------------------------------------------- */
#define IDS_ABOUT_MENU              1    /* "バージョン情報(&A)..." */
#define IDS_TAB_FORMAT              2
#define IDS_APP_TITLE               3    /* "Kestrovane リモートパネル" */
#define IDS_TAB_PAPER               7
#define IDS_TAB_FONT                8
#define IDS_TAB_ENVIRONMENT         9
#define IDS_TAB_OTHER               10
#define IDS_COLUMN_NAME             11
#define IDS_COLUMN_STATE            12
#define IDS_COLUMN_MODEL            13
#define IDS_COLUMN_PORT             14
#define IDS_SIZE_A4_LANDSCAPE       36
#define IDS_SIZE_A4_PORTRAIT        37
#define IDS_SIZE_A5_PORTRAIT        38
#define IDS_SIZE_B4_PORTRAIT        39
#define IDS_SIZE_B5_PORTRAIT        40
#define IDS_SIZE_POSTCARD           41
#define IDS_FORM_1                  43
#define IDS_FORM_2                  44
#define IDS_FORM_3                  45
#define IDS_FORM_4                  46
#define IDS_INITIAL_VALUES_SHOWN    61
#define IDS_RIGHT_NOT_ABOVE_LEFT    64
#define IDS_LEFT_ABOVE_RIGHT        65
#define IDS_UNSENT_CHANGES          67
#define IDS_BAD_CUT_SHEET_OFFSET    68
#define IDS_WRITE_INCOMPLETE_EXIT   69
#define IDS_ALREADY_RUNNING         70
#define IDS_MAPPING_FAILED          71
#define IDS_SELECT_A_PRINTER        72
#define IDS_OS_NOT_SUPPORTED        73
#define IDS_NO_SUPPORTED_PRINTER    74
#define IDS_NO_SIZE                 75   /* five spaces */
#define IDS_PROGRAM_ENDS            76
#define IDS_REGISTRY_OPEN_FAILED    77
#define IDS_BAD_PAGE_LENGTH         78
#define IDS_BAD_HEAD_CENTERING      79
#define IDS_ALLOCATION_FAILED       80
#define IDS_BAD_LEFT_MARGIN         81
#define IDS_BAD_RIGHT_MARGIN        82
#define IDS_WRITE_FAILED_RETRY      83
#define IDS_STATUS_READ_FAILED      84
#define IDS_AUTHORITY_READ_FAILED   86
#define IDS_NO_COMMUNICATION        88
#define IDS_NOT_SUPPORTED_PRINTER   89
#define IDS_READING                 90
#define IDS_WRITING                 91
#define IDS_PRINTER_BUSY            92
#define IDS_CAN_READ_AND_UPDATE     93
#define IDS_CAN_READ_ONLY           94
#define IDS_CAN_UPDATE_ONLY         95
#define IDS_PANEL_UNAVAILABLE       96
#define IDS_TIP_INITIAL             97
#define IDS_TIP_READ                98
#define IDS_TIP_CHANGE_PRINTER      99
#define IDS_MODEL_NAME              100  /* "Brindlemark 400ZX" */
#define IDS_PRINTER_NOT_SUPPORTED   101
#define IDS_OPEN_FAILED             102
#define IDS_SETTINGS_READ_FAILED    103
#define IDS_WRITE_FAILED            109
#define IDS_EXT_STATUS_READ_FAILED  110
#define IDS_STATE_CONNECTED         111
#define IDS_STATE_NOT_CONNECTED     112
#define IDS_STATE_UNKNOWN           113  /* "不明" */
#define IDS_NOTIFY_FAILED           114
#define IDS_BUSY_WRITING            115
#define IDS_NAME_READ_FAILED        116
#define IDS_PORT_CHANGED            118
#define IDS_PRINTER_REMOVED         121
#define IDS_BUSY_READING            122
#define IDS_ENUM_FAILED             123
#define IDS_TIP_HELP                124
#define IDS_CLASS_REGISTER_FAILED   125
#define IDS_FEATURE_UNAVAILABLE     126
#define IDS_CANNOT_READ_OR_UPDATE   127
#define IDS_TAB_PRINT               128  /* "印刷" + six spaces */
#define IDS_FILE_PORT_REFUSED       135
/* Texts of this program that have no number of their own elsewhere start at 1000. */
#define IDS_VALUE_DOES_NOT_FIT      1000 /* a setting's value that the printer command cannot carry */
#define IDS_EDITS_NOT_WRITTEN       1001 /* the program ends with edits that were not written */
#define IDS_NOTHING_TO_WRITE        1002 /* an update while no settings are loaded */
#define IDS_SWITCHES_UNREADABLE     1003 /* an update that would leave a switch byte the printer cannot be read with */
#define IDS_TIP_SAVE_SETTINGS       1004 /* the toolbar's save-to-file button */
#define IDS_TIP_OPEN_SETTINGS       1005 /* the toolbar's open-a-file button */
#define IDS_SETTINGS_FILE_FILTER    1006 /* the file types of the save and open dialogs, "|" between the parts */
#define IDS_FILE_SAVE_FAILED        1007 /* %s the file, %s the system's reason */
#define IDS_FILE_READ_FAILED        1008 /* %s the file, %s the system's reason */
#define IDS_FILE_NOT_UTF8           1009 /* %s the file, %d the line */
#define IDS_FILE_INVALID            1010 /* %s the file, %s its bad lines */
#define IDS_FILE_MORE_PROBLEMS      1011 /* %d further bad lines */
#define IDS_OVERWRITE_CHANGED       1012 /* %s the edited settings the printer changed since they were read */
#define IDS_FILE_PARTIAL_NOT_READ   1013 /* %s the file: it leaves settings out, and those shown were not read */
#define IDS_FILE_SAVE_STALE         1014 /* %s the file: the printer or its settings changed while choosing it */
#define IDS_FILE_OPEN_STALE         1015 /* %s the file: the printer or its settings changed while choosing it */
#define IDS_FILE_TOO_LARGE          1016 /* %s the file, %s the limit */
#define IDS_HISTORY_NOT_KEPT        1017 /* %s why the settings before the write could not be kept */
#define IDS_FILE_DIALOG_MISSING     1018 /* %s the system's reason the file dialogs' library did not load */

/* ---- Dialog templates --------------------------------------------------------------------- */
#define IDD_ABOUT                   116
#define IDD_PANEL                   117
#define IDD_SELECT_PRINTER          122
#define IDD_FORMAT_PAGE             192
#define IDD_PAPER_PAGE              193
#define IDD_FONT_PAGE               194
#define IDD_PRINT_PAGE              195
#define IDD_OTHER_PAGE              197
#define IDD_PAPER_ADVANCED          198
#define IDD_FORM_SETTINGS           199
#define IDD_FONT_ADVANCED           200
#define IDD_DOS_ENVIRONMENT         202
#define IDD_PRINT_ADVANCED          206
#define IDD_ENVIRONMENT_ADVANCED    208
#define IDD_ENVIRONMENT_PAGE        243
#define IDD_PASSWORD                1002

/* ---- Icons, bitmaps, cursor, accelerators ------------------------------------------------- */
#define IDI_PROGRAM                 97
#define IDI_TAB_ENVIRONMENT         99
#define IDI_TAB_OTHER               101
#define IDI_STATE_READ_ONLY         142  /* may read, may not update */
#define IDI_STATE_UPDATE_ONLY       143  /* may update, may not read */
#define IDI_STATE_NEITHER           144  /* may neither read nor update */
#define IDI_DIRECTION_TWO_WAY       222
#define IDI_DIRECTION_ONE_WAY       224
#define IDI_FACE_GOTHIC             225
#define IDI_FACE_MINCHO             226
#define IDI_ZERO_SINGLE             227
#define IDI_ZERO_DOUBLE             228
#define IDI_ZERO_SINGLE_SLASHED     229
#define IDI_ZERO_DOUBLE_SLASHED     230
#define IDI_PERFORATION_OFF         231
#define IDI_PERFORATION_SKIP        232
#define IDI_PAPER_SET_LEFT          233
#define IDI_PAPER_SET_CENTER        234
#define IDI_REDUCE_2_3_CENTRE       235
#define IDI_REDUCE_2_3_LEFT         236
#define IDI_REDUCE_4_5_CENTRE       237
#define IDI_REDUCE_4_5_LEFT         238
#define IDI_REDUCE_NONE             239
#define IDI_TAB_FONT                240
#define IDI_TAB_PAPER               241
#define IDI_TAB_FORMAT              244
#define IDI_TAB_PRINT               246
#define IDB_TOOLBAR                 131
#define IDB_PRINTER                 211
/* The same pictures made for screens of 150 % and 200 %, and the tab icons as one strip per scale. */
#define IDB_TAB_STRIP               250
#define IDB_TAB_STRIP_150           251
#define IDB_TAB_STRIP_200           252
#define IDB_TOOLBAR_150             253
#define IDB_TOOLBAR_200             254
#define IDB_PRINTER_150             255
#define IDB_PRINTER_200             256
#define IDR_ACCELERATORS            132
#define IDCUR_HELP_MODE             310

/* ---- Commands ----------------------------------------------------------------------------- */
#define IDM_INITIAL_VALUES          280
#define IDM_READ_SETTINGS           282
#define IDM_CHANGE_PRINTER          283
#define IDM_SAVE_SETTINGS           286  /* the settings to a file (Ctrl+S) */
#define IDM_OPEN_SETTINGS           287  /* settings from a file (Ctrl+O) */
#define IDM_HELP_MODE               1029
#define IDM_ABOUT                   0xE000

/* ---- Panel dialog 117 and its toolbar ----------------------------------------------------- */
#define IDC_UPDATE_AND_EXIT         1050
#define IDC_EXIT                    8
#define IDC_UPDATE                  12321
#define IDC_HELP_CONTENTS           9
#define IDC_PICTURE_FRAME           1061
#define IDC_PRINTER_PICTURE         277
#define IDC_STATUS_AREA             281
#define IDC_MODEL_LABEL             1046
#define IDC_MODEL_TEXT              278
#define IDC_PORT_LABEL              1047
#define IDC_PORT_TEXT               279
#define IDC_TABS                    284
#define IDC_TOOLBAR                 10000

/* ---- Printer selection dialog 122 --------------------------------------------------------- */
#define IDC_PRINTER_LIST            285
#define IDC_SELECT_OK               1052
#define IDC_SELECT_CANCEL           1051

/* ---- Password dialog 1002 ----------------------------------------------------------------- */
#define IDC_PASSWORD                1105

/* ---- About box 116 ------------------------------------------------------------------------ */
#define IDC_ABOUT_ICON              1400
#define IDC_ABOUT_NOTICE            1401

/* ---- Paper set page 193 and its advanced dialog 198 --------------------------------------- */
#define IDC_PAPER_SET_GROUP         1159
#define IDC_PAPER_SET_CENTER        1160
#define IDC_PAPER_SET_LEFT          1162
#define IDC_PAPER_SET_ICON          1301
#define IDC_HEAD_CENTER_GROUP       1164
#define IDC_HC_CUT_LABEL            1173
#define IDC_HC_CUT_EDIT             1323
#define IDC_HC_CUT_SPIN             1326
#define IDC_HC_CUT_UNIT             1176
#define IDC_HC_FRONT_LABEL          1174
#define IDC_HC_FRONT_EDIT           1324
#define IDC_HC_FRONT_SPIN           1327
#define IDC_HC_FRONT_UNIT           1177
#define IDC_HC_REAR_LABEL           1175
#define IDC_HC_REAR_EDIT            1325
#define IDC_HC_REAR_SPIN            1328
#define IDC_HC_REAR_UNIT            1179
#define IDC_PERFORATION_ICON        1302
#define IDC_POSTCARD_MODE           1169
#define IDC_PERFORATION_SKIP        1171
#define IDC_PAPER_ADVANCED          1166
#define IDC_REMEMBER_FEED_POS       1231
#define IDC_THICKNESS_LABEL         1232
#define IDC_THICKNESS_LIST          1308

/* ---- Format page 192 and the form dialog 199 ---------------------------------------------- */
#define IDC_FEED_GROUP              1136
#define IDC_FEED_FRONT_LABEL        1137
#define IDC_FEED_FRONT              1330
#define IDC_FEED_REAR_LABEL         1138
#define IDC_FEED_REAR               1331
#define IDC_FEED_CUT_LABEL          1139
#define IDC_FEED_CUT                1332
#define IDC_FEED_POSTCARD_LABEL     1140
#define IDC_FEED_POSTCARD           1334
#define IDC_PAGE_LENGTH_LABEL       1149
#define IDC_PAGE_LENGTH_EDIT        1317
#define IDC_PAGE_LENGTH_SPIN        1320
#define IDC_PAGE_LENGTH_UNIT        1153
#define IDC_CUT_OFFSET_GROUP        1151
#define IDC_CUT_OFFSET_EDIT         1322
#define IDC_CUT_OFFSET_SPIN         1321
#define IDC_CUT_OFFSET_UNIT         1155
#define IDC_CUT_OFFSET_SIZE         1358
#define IDC_FORM_SELECT_GROUP       1329
#define IDC_FORM_SELECT             1134
#define IDC_FORM_SETTINGS           1142

#define IDC_FORM_NAME               1356
#define IDC_FORM_PAGE_LENGTH_LABEL  1234
#define IDC_FORM_PAGE_LENGTH_EDIT   1318
#define IDC_FORM_PAGE_LENGTH_SPIN   1161
#define IDC_FORM_PAGE_LENGTH_UNIT   1250
#define IDC_FORM_FEED_GROUP         1235
#define IDC_FORM_FEED_FRONT_LABEL   1236
#define IDC_FORM_FEED_FRONT         1333
#define IDC_FORM_FEED_REAR_LABEL    1237
#define IDC_FORM_FEED_REAR          1335
#define IDC_FORM_FEED_CUT_LABEL     1238
#define IDC_FORM_FEED_CUT           1336
#define IDC_FORM_FEED_POSTCARD_LABEL 1239
#define IDC_FORM_FEED_POSTCARD      1338
#define IDC_FORM_CLEAR              1244
#define IDC_LEFT_MARGIN_LABEL       1240
#define IDC_LEFT_MARGIN_EDIT        1167
#define IDC_LEFT_MARGIN_SPIN        1170
#define IDC_LEFT_MARGIN_UNIT        1251
#define IDC_RIGHT_MARGIN_LABEL      1242
#define IDC_RIGHT_MARGIN_EDIT       1168
#define IDC_RIGHT_MARGIN_SPIN       1165
#define IDC_RIGHT_MARGIN_UNIT       1252
#define IDC_FORM_CUT_OFFSET_GROUP   1245
#define IDC_FORM_CUT_OFFSET_EDIT    1158
#define IDC_FORM_CUT_OFFSET_SPIN    1163
#define IDC_FORM_CUT_OFFSET_UNIT    1254
#define IDC_FORM_CUT_OFFSET_SIZE    1357

/* ---- Font page 194 and its advanced dialog 200 -------------------------------------------- */
#define IDC_TYPEFACE_GROUP          1178
#define IDC_TYPEFACE_MINCHO         1180
#define IDC_TYPEFACE_GOTHIC         1181
#define IDC_TYPEFACE_ICON           1297
#define IDC_FONT_GROUP              1182
#define IDC_FONT1_LABEL             1187
#define IDC_FONT1                   1306
#define IDC_FONT2_LABEL             1188
#define IDC_FONT2                   1307
#define IDC_SLASH_ZERO_SINGLE       1189
#define IDC_SLASH_ZERO_SINGLE_ICON  1298
#define IDC_SLASH_ZERO_DOUBLE       1190
#define IDC_SLASH_ZERO_DOUBLE_ICON  1299
#define IDC_FONT_ADVANCED           1191
#define IDC_INTL_CHARSET_LABEL      1253
#define IDC_INTL_CHARSET            1300
#define IDC_KANJI_GROUP             1255
#define IDC_KANJI_1978              1256
#define IDC_KANJI_1983              1257
#define IDC_KANJI_1990              1258

/* ---- Print page 195, its DOS environment dialog 202 and advanced dialog 206 --------------- */
#define IDC_REDUCTION_GROUP         1199
#define IDC_REDUCTION               1309
#define IDC_REDUCTION_ICON          1303
#define IDC_DIRECTION_GROUP         1200
#define IDC_DIRECTION_ONE_WAY       1202
#define IDC_DIRECTION_TWO_WAY       1203
#define IDC_DIRECTION_ICON          1304
#define IDC_QUIET_PRINT             1195
#define IDC_DOS_ENVIRONMENT         1197
#define IDC_PRINT_ADVANCED          1198

#define IDC_DOS_PICA_GROUP          1259
#define IDC_DOS_HD_PICA             1260
#define IDC_DOS_HS_PICA             1261
#define IDC_DOS_NHS_SHS_GROUP       1262
#define IDC_DOS_SHS_PICA            1263
#define IDC_DOS_NHS_PICA            1264
#define IDC_DOS_DIRECTION_GROUP     1265
#define IDC_DOS_ONE_WAY             1266
#define IDC_DOS_TWO_WAY_SHORTEST    1267
#define IDC_DOS_DIRECTION_ICON      1305
#define IDC_DOS_FEEDER_CODE_GROUP   1344
#define IDC_DOS_FEEDER_ESC_A        1345
#define IDC_DOS_FEEDER_ESC_ALL      1346
#define IDC_DOS_GRAPHICS_GROUP      1341
#define IDC_DOS_GRAPHICS_NATIVE     1289
#define IDC_DOS_GRAPHICS_COPY       1290
#define IDC_DOS_DRAFT_AT_POWER_ON   1268

#define IDC_PRESSURE_LABEL          1310
#define IDC_PRESSURE                1311
#define IDC_POSITION_LABEL          1269
#define IDC_POSITION                1186

/* ---- Operating environment page 243 and its advanced dialog 208 --------------------------- */
#define IDC_EJECT_GROUP             1337
#define IDC_EJECT_FRONT             1208
#define IDC_EJECT_REAR              1209
#define IDC_EDGE_GROUP              1340
#define IDC_EDGE_DETECT             1207
#define IDC_EDGE_NO_DETECT          1210
#define IDC_SHEET_GUIDE_GROUP       1339
#define IDC_SHEET_GUIDE_AUTO        1204
#define IDC_SHEET_GUIDE_SWITCH      1205
#define IDC_ENVIRONMENT_ADVANCED    1213

#define IDC_FEEDER_EJECT_GROUP      1288
#define IDC_FEEDER_EJECT_AS_SET     1342
#define IDC_FEEDER_EJECT_REAR       1343
#define IDC_FEEDER_CONTROL_GROUP    1360
#define IDC_FEEDER_CONTROL_ON       1361
#define IDC_FEEDER_CONTROL_OFF      1362
#define IDC_COLUMNS_GROUP           1285
#define IDC_COLUMNS_136             1286
#define IDC_COLUMNS_80              1287
#define IDC_CR_GROUP                1351
#define IDC_CR_RETURN_ONLY          1347
#define IDC_CR_RETURN_LINE_FEED     1348
#define IDC_AUTO_CR_GROUP           1352
#define IDC_AUTO_CR_LINE_FEED       1349
#define IDC_AUTO_CR_RETURN_ONLY     1350

/* ---- Other page 197 ----------------------------------------------------------------------- */
#define IDC_PRINT_CMD_GROUP         1353
#define IDC_PRINT_CMD_CR            1219
#define IDC_PRINT_CMD_CR_OTHER      1220
#define IDC_DC1_DC3_GROUP           1354
#define IDC_DC1_DC3_ENABLED         1223
#define IDC_DC1_DC3_DISABLED        1225
#define IDC_DATA_BITS_GROUP         1355
#define IDC_DATA_8_BIT              1228
#define IDC_DATA_7_BIT              1229

/* clang-format on */

#endif
