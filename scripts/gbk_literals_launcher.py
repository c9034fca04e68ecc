#!/usr/bin/env python3
"""Compiler launcher that gives clang the GBK string literals GCC makes.

Every text of the program is GBK. GCC turns the Chinese literals of our UTF-8
sources into GBK bytes (-fexec-charset=GB18030); clang has no such option and
keeps them UTF-8, so a clang build would compare, write and look up different
bytes than the product does. This launcher preprocesses the file with the same
command line, re-encodes every narrow literal (no u8/u/U/L prefix) that holds
non-ASCII characters as GB18030 octal escapes - the bytes GCC would have
produced - and compiles the result. Headers are covered because the
re-encoding runs on the preprocessed text.

usage (CMAKE_CXX_COMPILER_LAUNCHER): gbk_literals_launcher.py COMPILER ARGS...
"""
import os
import re
import subprocess
import sys

TOKEN = re.compile(
    rb"""(?P<raw>(?P<rawprefix>u8|u|U|L)?R"(?P<delim>[^()\\\s"]{0,16})\((?P<rawbody>.*?)\)(?P=delim)")"""
    rb"""|(?P<str>(?P<strprefix>u8|u|U|L)?"(?P<strbody>(?:\\.|[^"\\\n])*)")"""
    rb"""|(?P<chr>(?P<chrprefix>u8|u|U|L)?'(?P<chrbody>(?:\\.|[^'\\\n])*)')"""
    rb"""|(?P<ident>[A-Za-z_][A-Za-z0-9_]*)"""
    rb"""|(?P<num>\.?[0-9](?:[eEpP][+-]|[0-9A-Za-z_.]|'(?=[0-9A-Za-z_]))*)"""
    rb"""|(?P<directive>^[ \t]*\#[^\n]*)""",
    re.S | re.M,
)


def gbk_octal(text: bytes) -> bytes:
    """Non-ASCII characters of UTF-8 text as GB18030 octal escapes.

    Octal escapes end after three digits, so a digit that follows one can
    never be taken into it (a \\x escape would swallow it)."""
    out = bytearray()
    for ch in text.decode("utf-8", errors="surrogateescape"):
        code = ord(ch)
        if code < 0x80:
            out += ch.encode("ascii")
        elif 0xDC80 <= code <= 0xDCFF:  # a byte that was not UTF-8: kept as it is
            out += b"\\%03o" % (code - 0xDC00)
        else:
            out += b"".join(b"\\%03o" % b for b in ch.encode("gb18030"))
    return out


def escape_raw(body: bytes) -> bytes:
    """A raw string's body as the body of an ordinary literal."""
    body = body.replace(b"\\", b"\\\\").replace(b'"', b'\\"')
    return body.replace(b"\n", b"\\n").replace(b"\r", b"\\r").replace(b"\t", b"\\t")


def reencode(source: bytes) -> bytes:
    def replace(m: re.Match) -> bytes:
        token = m.group(0)
        if max(token, default=0) < 0x80:
            return token
        if m.group("str") is not None and m.group("strprefix") is None:
            return b'"' + gbk_octal(m.group("strbody")) + b'"'
        if m.group("chr") is not None and m.group("chrprefix") is None:
            return b"'" + gbk_octal(m.group("chrbody")) + b"'"
        if m.group("raw") is not None and m.group("rawprefix") is None:
            return b'"' + gbk_octal(escape_raw(m.group("rawbody"))) + b'"'
        return token  # prefixed literals, names in line markers, anything else

    return TOKEN.sub(replace, source)


def without_dependency_flags(args):
    out, skip = [], False
    for a in args:
        if skip:
            skip = False
        elif a in ("-MT", "-MF", "-MQ"):
            skip = True
        elif a in ("-MD", "-MMD"):
            pass
        else:
            out.append(a)
    return out


def main(argv):
    compiler, args = argv[0], argv[1:]
    if "-c" not in args or "-o" not in args:
        os.execvp(compiler, argv)
    out_index = args.index("-o") + 1
    obj = args[out_index]
    source = next((a for a in args if a.endswith((".cpp", ".cc", ".cxx"))), None)
    if source is None:
        os.execvp(compiler, argv)

    preprocessed = obj + ".gbk.ii"
    pre_args = list(args)
    pre_args[out_index] = preprocessed
    pre_args[pre_args.index("-c")] = "-E"
    result = subprocess.run([compiler] + pre_args)
    if result.returncode != 0:
        return result.returncode
    with open(preprocessed, "rb") as f:
        text = f.read()
    if max(text, default=0) >= 0x80:
        with open(preprocessed, "wb") as f:
            f.write(reencode(text))

    compile_args = [a for a in without_dependency_flags(args) if a != source]
    compile_args += ["-Wno-unused-command-line-argument", "-x", "c++-cpp-output", preprocessed]
    result = subprocess.run([compiler] + compile_args)
    if result.returncode == 0:
        os.remove(preprocessed)
    return result.returncode


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
