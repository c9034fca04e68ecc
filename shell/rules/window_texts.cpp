#include "shell/rules/window_texts.h"

namespace tl::shell {

const std::string_view kHelpText =
    "汀澜无盘客户机列表导入工具\r\n\r\n"
    "把需要转换的文件拖放到窗口或者打开支持的无盘软件客户机列表文件 在导入的时候选择汀澜data.db\r\n\r\n"
    "汀澜无盘列表MAC清除功能 支持多选\r\n"
    "计算机名列排序 计算机名 IP地址 MAC自定义格式导出\r\n\r\n"
    "?:\\琰川科技\\汀澜\\分层同步\\data 目录下 文件名data.db\r\n\r\n"
    "自动识别数据库类型\r\n\r\n"
    "支持文件列表：\r\n\r\n"
    "汀澜  data.db\r\n"
    "顺网无盘  ClientConfig.xml barserver.db\r\n"
    "易游有盘无盘易乐游     CSX.dat diskless.db ews.dat\r\n"
    "云更新 game.db  game15.db\r\n"
    "方格子 nmenu.xml  config.db 导出文件*.txt\r\n"
    "网众 *.ini\r\n"
    "斯普林 MZD.INI\r\n"
    "快吧无盘*.xml\r\n"
    "信佑 新版*.txt\r\n"
    "锐起无盘wks.ini\r\n"
    "盛九PXD无盘*.xml\r\n"
    "顺无盘clt列表\r\n\r\n"
    "支持易乐游无盘客户机列表转换工具导出文件\r\n"
    "支持云更新无盘客户机列表转换工具导出文件\r\n"
    "支持方格子无盘客户机列表转换工具导出文件\r\n"
    "支持信佑无盘客户机列表转换工具导出的文件";

const std::array<GridColumn, 8> kGridColumns = {{
    {"序号", 40},
    {"计算机名", 70},
    {"IP地址", 100},
    {"MAC地址", 120},
    {"子网掩码", 100},
    {"网关", 100},
    {"DNS1", 100},
    {"DNS2", 100},
}};

}  // namespace tl::shell
