#include "help/HelpIds.h"

// Help context ids follow one scheme: 0x80000000 + 0x100 n for the panel dialog, 0x81000000 +
// 0x100 n for the printer selection dialog, 0x10000 + 0x1000 t + 0x10 n for the tab page with tab
// index t, and 0x500, 0x300 or 0x600 above a page's base for its detail dialogs. A group box and
// its buttons, or a label with its edit box, up-down control and unit text, share one id.
// A control id and its help context id on each line.
// clang-format off
const HelpIdWord HelpIdTable[] = {
    // The panel dialog (IDD_PANEL); the toolbar's id (IDC_TOOLBAR) stands for the toolbar.
    10000, 0x80000000,
    277, 0x80000600,
    281, 0x80000700,
    1046, 0x80000800,
    278, 0x80000900,
    1047, 0x80000A00,
    279, 0x80000B00,
    284, 0x80000C00,
    1050, 0x80000100,
    8, 0x80000200,
    12321, 0x80000300,
    9, 0x80000400,
    1061, 0x80000600,
    // The paper page 用紙 (IDD_PAPER_PAGE)
    1159, 0x10000, 1160, 0x10000, 1162, 0x10000,
    1301, 0x10010,
    1169, 0x10020,
    1171, 0x10030,
    1302, 0x10040,
    1164, 0x10050,
    1173, 0x10060, 1323, 0x10060, 1326, 0x10060, 1176, 0x10060,
    1174, 0x10070, 1324, 0x10070, 1327, 0x10070, 1177, 0x10070,
    1175, 0x10080, 1325, 0x10080, 1328, 0x10080, 1179, 0x10080,
    1166, 0x10090,
    // The paper page's advanced dialog (IDD_PAPER_ADVANCED)
    1231, 0x10500,
    1232, 0x10510, 1308, 0x10510,
    // The format page 書式 (IDD_FORMAT_PAGE)
    1136, 0x11000,
    1137, 0x11010, 1330, 0x11010,
    1138, 0x11020, 1331, 0x11020,
    1139, 0x11030, 1332, 0x11030,
    1140, 0x11040, 1334, 0x11040,
    1149, 0x11050, 1317, 0x11050, 1320, 0x11050, 1153, 0x11050,
    1151, 0x11060, 1322, 0x11060, 1321, 0x11060, 1155, 0x11060,
    1358, 0x11070,
    1329, 0x11080,
    1134, 0x11090,
    1142, 0x110A0,
    // The form settings dialog (IDD_FORM_SETTINGS)
    1356, 0x11500,
    1234, 0x11510, 1318, 0x11510, 1161, 0x11510, 1250, 0x11510,
    1235, 0x11520,
    1236, 0x11530, 1333, 0x11530,
    1237, 0x11540, 1335, 0x11540,
    1238, 0x11550, 1336, 0x11550,
    1239, 0x11560, 1338, 0x11560,
    1244, 0x11570,
    1240, 0x11580, 1167, 0x11580, 1170, 0x11580, 1251, 0x11580,
    1242, 0x11590, 1168, 0x11590, 1165, 0x11590, 1252, 0x11590,
    1245, 0x115A0, 1158, 0x115A0, 1163, 0x115A0, 1254, 0x115A0,
    1357, 0x115B0,
    // The font page フォント (IDD_FONT_PAGE)
    1178, 0x12000, 1180, 0x12000, 1181, 0x12000,
    1297, 0x12010,
    1182, 0x12020,
    1187, 0x12030, 1306, 0x12030,
    1188, 0x12040, 1307, 0x12040,
    1189, 0x12050,
    1298, 0x12060,
    1190, 0x12070,
    1299, 0x12080,
    1191, 0x12090,
    // The font page's advanced dialog (IDD_FONT_ADVANCED)
    1253, 0x12500, 1300, 0x12500,
    1255, 0x12510, 1256, 0x12510, 1257, 0x12510, 1258, 0x12510,
    // The print page 印刷 (IDD_PRINT_PAGE)
    1199, 0x13000, 1309, 0x13000,
    1303, 0x13010,
    1195, 0x13020,
    1200, 0x13030, 1202, 0x13030, 1203, 0x13030,
    1304, 0x13040,
    1197, 0x13050,
    1198, 0x13060,
    // The DOS environment dialog (IDD_DOS_ENVIRONMENT)
    1259, 0x13300, 1260, 0x13300, 1261, 0x13300,
    1265, 0x13310, 1266, 0x13310, 1267, 0x13310,
    1305, 0x13320,
    1262, 0x13330, 1263, 0x13330, 1264, 0x13330,
    1344, 0x13340, 1345, 0x13340, 1346, 0x13340,
    1341, 0x13350, 1289, 0x13350, 1290, 0x13350,
    1268, 0x13360,
    // The print page's advanced dialog (IDD_PRINT_ADVANCED)
    1310, 0x13600, 1311, 0x13600,
    1269, 0x13610, 1186, 0x13610,
    // The environment page 動作環境 (IDD_ENVIRONMENT_PAGE)
    1337, 0x14000, 1208, 0x14000, 1209, 0x14000,
    1339, 0x14010, 1204, 0x14010, 1205, 0x14010,
    1340, 0x14020, 1207, 0x14020, 1210, 0x14020,
    1213, 0x14030,
    // The environment page's advanced dialog (IDD_ENVIRONMENT_ADVANCED)
    1285, 0x14500, 1286, 0x14500, 1287, 0x14500,
    1288, 0x14510, 1342, 0x14510, 1343, 0x14510,
    1351, 0x14520, 1347, 0x14520, 1348, 0x14520,
    1352, 0x14530, 1349, 0x14530, 1350, 0x14530,
    1360, 0x14540, 1361, 0x14540, 1362, 0x14540,
    // The other page その他 (IDD_OTHER_PAGE)
    1353, 0x15000, 1219, 0x15000, 1220, 0x15000,
    1354, 0x15010, 1223, 0x15010, 1225, 0x15010,
    1355, 0x15020, 1228, 0x15020, 1229, 0x15020,
    // The printer selection dialog (IDD_SELECT_PRINTER)
    285, 0x81000000,
    1052, 0x81000100,
    1051, 0x81000200,
    // The OK (1) and Cancel (2) buttons of any dialog
    1, 0x81000300,
    2, 0x81000400,
    0, 0,
};
// clang-format on

static_assert(sizeof HelpIdTable / sizeof HelpIdTable[0] == 2 * kHelpIdPairCount + 2,
              "the help table holds its pairs and the ending pair");

bool FindHelpIdIn(const HelpIdWord* table, uint32_t controlId, uint32_t* helpId) {
    if (controlId == 0) return false;  // 0 only ends the table
    for (const HelpIdWord* pair = table; pair[0] != 0; pair += 2) {
        if (pair[0] == controlId) {
            *helpId = static_cast<uint32_t>(pair[1]);
            return true;
        }
    }
    return false;
}

bool LookupHelpId(uint32_t controlId, uint32_t* helpId) {
    return FindHelpIdIn(HelpIdTable, controlId, helpId);
}
