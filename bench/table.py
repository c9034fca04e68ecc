#!/usr/bin/env python3
"""Prints the benchmark table: each row one operation, its figure, the
reference figure measured in the same run, and the ratio.

In-process rows come from Google Benchmark's JSON files, one per pass of
the benchmarks (CPU time per iteration, the median over the passes).
Whole-process rows are measured here: CPU time (user + system) of the child
processes, the figure and its reference run in turn, the median of several
runs of each, and peak resident memory from /usr/bin/time.

A shared machine's other work comes in spells that can outlast a benchmark:
runs spread over the whole measurement, and taken in turn with their
reference, let a spell move neither a figure nor its reference.

Usage: bench/table.py TLCONV BENCH_JSON...
"""
import json
import os
import resource
import shutil
import sqlite3
import statistics
import subprocess
import sys
import tempfile

RUNS = 10
ROWS = 10000

# (operation, benchmark, reference operation, reference benchmark)
IN_PROCESS = [
    ("read 汀澜 data.db, 10,000 rows: reader", "BM_Read/TinglanDb", "SQLite SELECT, every cell fetched", "BM_Select/TinglanDb"),
    ("read 易乐游 workstation, 10,000: reader", "BM_Read/YileyouDb", "SQLite SELECT, every cell fetched", "BM_Select/YileyouDb"),
    ("read 云更新 tPcBaseInfo, 10,000: reader", "BM_Read/YungengxinDb", "SQLite SELECT, every cell fetched", "BM_Select/YungengxinDb"),
    ("read 方格子 comp, 10,000: reader", "BM_Read/FanggeziDb", "SQLite SELECT, every cell fetched", "BM_Select/FanggeziDb"),
    ("import 10,000 grid rows, one transaction", "BM_Import/10000", "SQLite prepared INSERTs, one transaction", "BM_SqliteInsert/10000"),
    ("import 10,000 over 10,000: check + copy + import", "BM_ImportCheckedAndCopied/10000", "the same import without the copy", "BM_ImportUncopied/10000"),
    ("check 10,000 grid rows", "BM_ImportCheck/10000", "the import without the copy", "BM_ImportUncopied/10000"),
    ("read 网维大师 XML, 10,000", "BM_XmlRead/WangweiDashi", "pugixml load_file + visit all", "BM_Pugixml/WangweiDashi"),
    ("read 方格子XML, 10,000", "BM_XmlRead/FanggeziXml", "pugixml load_file + visit all", "BM_Pugixml/FanggeziXml"),
    ("read 快吧 XML, 10,000", "BM_XmlRead/Kuaiba", "pugixml load_file + visit all", "BM_Pugixml/Kuaiba"),
    ("read 盛九PXD XML, 10,000", "BM_XmlRead/ShengjiuPxd", "pugixml load_file + visit all", "BM_Pugixml/ShengjiuPxd"),
    ("XmlDocument load + walk, 10,000 (in memory)", "XmlDocumentLoadAndWalk/10000", "pugixml load_buffer + walk", "PugixmlLoadAndWalk/10000"),
    ("read 信佑TXT列表 JSON, 10,000", "BM_ReadXinyouTxtList10k", "nlohmann::json parse (in memory)", "BM_NlohmannParse10k"),
    ("read 锐起 WKS.INI, 10,000", "BM_RuiqiWksIniReader", "read the file's bytes once, same cells into a grid", "BM_IniBytesAndGridOnce"),
    ("read 信佑TXT text list, 10,000", "BM_XinyouTxtReader", "read the file's bytes once, same cells into a grid", "BM_TextBytesAndGridOnce"),
    ("detect 50 MB non-matching file", "BM_Detect50MBNonMatching/iterations:3", "read the file's bytes once", "BM_Read50MBBytesOnce"),
    ("sort 100,000 rows by name (header click)", "BM_HeaderClickSort/100000", "std::sort of the names", "BM_StdSortNames/100000"),
    ("rename 100,000 names + IPs (4 passes)", "BM_RenameNamesAndIps/100000", "copy those cells (4 passes)", "BM_CopyNamesAndIps/100000"),
    ("export 100,000 rows to a file", "BM_ExportAllRowsToFile/100000", "write the export text once", "BM_WriteExportTextOnce/100000"),
]

SQLITE_FAMILIES = [
    # (label, file, create, row, the reader's SELECT)
    ("汀澜 data.db", "data.db",
     "create table cs_client_info(id integer primary key, client_name text, client_mac text, client_ip text,"
     " client_mask text, client_gate_way text, client_dns1 text, client_dns2 text, client_group_name text)",
     lambda i: (None, "PC%05d" % i, "001a2b%06x" % i, str(167772160 + i), "4294967040", "167772161",
                "134744072", "", "default"),
     "select * from cs_client_info order by client_name Asc"),
    ("易乐游 workstation", "yileyou.db",
     "create table workstation(id integer, computer text, ip text, mac text, subnetmask text, gateway text, dns text)",
     lambda i: (i, "PC%d" % i, "10.0.%d.%d" % (i >> 8, i & 255), "00:1a:2b:3c:4d:5e", "255.255.0.0", "10.0.0.1",
                "114.114.114.114,8.8.8.8"),
     "select * from workstation order by computer Asc"),
    ("云更新 tPcBaseInfo", "yungengxin.db",
     "create table tPcBaseInfo(MACHINE text, ip, mac text, mark, gate, dns, dns2)",
     lambda i: ("PC%d" % i, 0xA8C0 | (i >> 8 & 255) << 16 | (i & 255) << 24, "00-1a-2b-3c-4d-5e", 16777215,
                16885952, 16885952, -939524086),
     "select * from tPcBaseInfo order by machine Asc"),
]


def make_database(path, create, row):
    with sqlite3.connect(path) as db:
        db.execute(create)
        width = len(row(0))
        db.executemany("insert into %s values(%s)" % (create.split()[2].split("(")[0], ",".join("?" * width)),
                       (row(i) for i in range(ROWS)))


def cpu_seconds(command, before=None):
    """CPU time (user + system) of one run of `command`, output to /dev/null."""
    if before:
        before()
    start = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    end = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (end.ru_utime - start.ru_utime) + (end.ru_stime - start.ru_stime)


def median_ms_in_turn(figure, reference, before=None):
    """The median CPU time in ms of RUNS runs of each command, run in turn,
    so that a slow moment of the machine falls on both alike."""
    times = ([], [])
    for _ in range(RUNS):
        for command, kept in zip((figure, reference), times):
            kept.append(cpu_seconds(command, before))
    return statistics.median(times[0]) * 1000, statistics.median(times[1]) * 1000


def peak_kb(command, scratch):
    out = os.path.join(scratch, "time.txt")
    subprocess.run(["/usr/bin/time", "-o", out, "-f", "%M"] + command,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return int(open(out).read().split()[-1])


def whole_process_rows(tlconv, scratch):
    rows = []
    for label, name, create, row, select in SQLITE_FAMILIES:
        path = os.path.join(scratch, name)
        make_database(path, create, row)
        shown, selected = median_ms_in_turn([tlconv, "show", path], ["sqlite3", path, select])
        rows.append(("tlconv show %s, 10,000 (process)" % label, shown, "sqlite3 shell SELECT > /dev/null",
                     selected, "ms"))

    # The import: tlconv reads the 汀澜 list and imports it; the shell runs
    # the same rows as INSERTs in one transaction. Targets are reset between runs.
    source = os.path.join(scratch, "data.db")
    empty = os.path.join(scratch, "empty.db")
    make_database(empty, SQLITE_FAMILIES[0][2], lambda i: (None,) + ("",) * 8)
    target = os.path.join(scratch, "target.db")
    load = os.path.join(scratch, "load.sql")
    with open(load, "w") as sql:
        sql.write("begin; delete from cs_client_info;\n")
        for i in range(ROWS):
            sql.write("insert into cs_client_info(client_name,client_mac,client_ip,client_mask,client_gate_way,"
                      "client_dns1,client_dns2,client_group_name) values('PC%05d','001A2B%06X','%d','4294967040',"
                      "'167772161','134744072','','default');\n" % (i, i, 167772160 + i))
        sql.write("commit;\n")
    reset = lambda: shutil.copy(empty, target)
    imported, inserted = median_ms_in_turn([tlconv, "import", "--db", target, "--no-restart", "--yes", source],
                                           ["sqlite3", target, ".read " + load], reset)
    rows.append(("tlconv import 10,000 (process: read + import)", imported,
                 "sqlite3 shell, INSERTs in one transaction", inserted, "ms"))

    # Peak memory against the file's size.
    largest = os.path.join(scratch, "WKS.INI")
    with open(largest, "w") as ini:
        for i in range(100000):
            ini.write("[0011%02X%02X%04X]\r\nWksName=PC%06d\r\nIpAddr=10.%d.%d.%d\r\nNetmask=255.0.0.0\r\n"
                      "Gateway=10.0.0.1\r\nPreferredDNS=10.0.0.2\r\nBackupDNS=10.0.0.3\r\nDiskless=1\r\n"
                      % (i >> 16, (i >> 8) & 255, i & 0xFFFF, i, i >> 16, (i >> 8) & 255, i & 255))
    nonmatching = os.path.join(scratch, "nonmatching.ini")
    with open(nonmatching, "w") as f:
        i = 0
        while f.tell() < 50 << 20:
            f.write("[group%07d]\r\nnote=nothing to see %d\r\n" % (i, i))
            i += 1
    for label, path in (("100,000-client WKS.INI", largest), ("50 MB non-matching file", nonmatching)):
        rows.append(("peak memory, tlconv show %s" % label, peak_kb([tlconv, "show", path], scratch) / 1024,
                     "the file's size", os.path.getsize(path) / 1048576, "MB"))
    return rows


def main():
    tlconv = os.path.abspath(sys.argv[1])
    benchmarks = [b for path in sys.argv[2:] for b in json.load(open(path))["benchmarks"]]

    def cpu(name):
        """The median CPU time of the benchmark's runs over the passes."""
        runs = [b for b in benchmarks if b.get("run_name", b["name"]) == name and b.get("run_type") != "aggregate"]
        assert runs and all(b["time_unit"] == "ms" and not b.get("error_occurred") for b in runs), name
        return statistics.median(b["cpu_time"] for b in runs)

    rows = [(op, cpu(bench), ref, cpu(ref_bench), "ms") for op, bench, ref, ref_bench in IN_PROCESS]
    with tempfile.TemporaryDirectory() as scratch:
        rows += whole_process_rows(tlconv, scratch)

    print("| Operation | Figure | Reference | Reference figure | Ratio |")
    print("|---|---:|---|---:|---:|")
    for op, figure, ref, ref_figure, unit in rows:
        print("| %s | %.2f %s | %s | %.2f %s | %.1f× |" % (op, figure, unit, ref, ref_figure, unit, figure / ref_figure))


if __name__ == "__main__":
    main()
