#!/usr/bin/env python3
"""Mutation check of the portable core against the native tests.

Applies one small change at a time to the core's .cpp files (an operator
swapped, true/false swapped, an integer off by one, a statement deleted),
rebuilds the native tests (those ctest lists) and runs them. A mutant the
tests fail on is killed; one they pass is a survivor, a gap in the tests or a
change that means the same. A mutant that does not compile is stillborn and not counted.

The mutants are applied to a copy of the tree under build/mutate/, never to
the working tree, so a developer may go on editing while it runs; the copy is
synced by content at the start, so an unchanged file is not rebuilt.

    scripts/mutate.py                                  every mutant of the core
    scripts/mutate.py --sample 200 --seed 1            a fixed sample of them
    scripts/mutate.py --files platform/numbers.cpp     one file's mutants
    scripts/mutate.py --list                           list the mutants, run nothing

Python 3 standard library only; CI does not run it.
"""

import argparse
import json
import os
import random
import re
import resource
import shutil
import signal
import subprocess
import sys
import threading
import time
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
WORK = ROOT / "build" / "mutate"
# The core, as the native tests build it; app/main.cpp holds wWinMain and is Windows only.
DEFAULT_GLOBS = ["timer_window/*.cpp", "about_window/*.cpp", "follow_window/*.cpp", "platform/*.cpp", "app/*.cpp"]
NOT_IN_UNIT_TESTS = {"app/main.cpp"}
# What the copy of the tree leaves out: build output, history, release zips.
NOT_COPIED = {".git", "build", "dist"}
TEST_MEMORY_LIMIT = 2 << 30  # bytes of address space for one test run

# ---------------------------------------------------------------- lexer


@dataclass
class Token:
    kind: str  # "id", "num", "str", "chr", "punct"
    text: str
    start: int  # offsets into the file's text
    end: int
    line: int


PUNCTUATORS = sorted(
    """<=> ->* <<= >>= ... -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= :: .*
    { } [ ] ( ) ; : , . ? ~ ! + - * / % ^ & | = < > #""".split(),
    key=len,
    reverse=True,
)
STRING_PREFIXES = {"u8", "u", "U", "L"}
RAW_PREFIXES = {"R", "u8R", "uR", "UR", "LR"}
IDENT = re.compile(r"[A-Za-z_]\w*")
PP_NUMBER = re.compile(r"\.?\d(?:[eEpP][+-]|[\w.']|)*")


def tokenize(text):
    """The file's tokens, without comments and preprocessor lines.

    Strings, raw strings and character literals are single tokens, so no
    mutation falls inside them."""
    tokens = []
    i, n, line = 0, len(text), 1
    at_line_start = True

    def skip_block_comment(i):
        end = text.find("*/", i + 2)
        return n if end < 0 else end + 2

    while i < n:
        c = text[i]
        if c == "\n":
            line += 1
            at_line_start = True
            i += 1
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if text.startswith("//", i):
            end = text.find("\n", i)
            i = n if end < 0 else end
            continue
        if text.startswith("/*", i):
            end = skip_block_comment(i)
            line += text.count("\n", i, end)
            i = end
            continue
        if c == "#" and at_line_start:
            # A directive runs to the end of its line, continuations included.
            while i < n and text[i] != "\n":
                if text.startswith("\\\n", i):
                    line += 1
                    i += 2
                elif text.startswith("/*", i):
                    end = skip_block_comment(i)
                    line += text.count("\n", i, end)
                    i = end
                elif text.startswith("//", i):
                    while i < n and text[i] != "\n":
                        i += 1
                else:
                    i += 1
            continue
        at_line_start = False
        start = i
        m = IDENT.match(text, i)
        if m:
            word = m.group()
            after = m.end()
            if word in RAW_PREFIXES and text.startswith('"', after):
                i = raw_string_end(text, after)
                i = suffix_end(text, i)
                tokens.append(Token("str", text[start:i], start, i, line))
                line += text.count("\n", start, i)
                continue
            if word in STRING_PREFIXES and after < n and text[after] in "\"'":
                i = quoted_end(text, after)
                tokens.append(Token("str" if text[after] == '"' else "chr", text[start:i], start, i, line))
                continue
            tokens.append(Token("id", word, start, after, line))
            i = after
            continue
        m = PP_NUMBER.match(text, i)
        if m:
            tokens.append(Token("num", m.group(), start, m.end(), line))
            i = m.end()
            continue
        if c in "\"'":
            i = quoted_end(text, i)
            if c == '"':
                i = suffix_end(text, i)
            tokens.append(Token("str" if c == '"' else "chr", text[start:i], start, i, line))
            continue
        for p in PUNCTUATORS:
            if text.startswith(p, i):
                tokens.append(Token("punct", p, start, i + len(p), line))
                i += len(p)
                break
        else:
            i += 1  # a stray byte (such as a "\" line splice): nothing to mutate
    return tokens


def quoted_end(text, i):
    """The end of the quoted literal whose quote is at i."""
    quote = text[i]
    i += 1
    while i < len(text) and text[i] != quote:
        i += 2 if text[i] == "\\" else 1
    return i + 1


def raw_string_end(text, i):
    """The end of the raw string whose opening quote is at i: R"delim( ... )delim"."""
    open_paren = text.index("(", i)
    closing = ")" + text[i + 1 : open_paren] + '"'
    end = text.find(closing, open_paren)
    return len(text) if end < 0 else end + len(closing)


def suffix_end(text, i):
    """Past a user-defined literal suffix ("..."sv) right after a string."""
    m = IDENT.match(text, i)
    return m.end() if m else i


# ---------------------------------------------------------------- where code is

KEYWORDS = set(
    """alignas alignof asm auto bool break case catch char char8_t char16_t char32_t class concept const
    consteval constexpr constinit const_cast continue co_await co_return co_yield decltype default delete
    do double dynamic_cast else enum explicit export extern float for friend goto if inline int long
    mutable namespace new noexcept operator private protected public register reinterpret_cast requires
    return short signed sizeof static static_assert static_cast struct switch template thread_local throw
    try typedef typeid typename union unsigned using virtual void volatile wchar_t while""".split()
)
VALUE_WORDS = {"this", "true", "false", "nullptr"}
CASTS = {"static_cast", "const_cast", "reinterpret_cast", "dynamic_cast"}
# Words before a "{" that make it a function's or a lambda's body.
BODY_AFTER = {")", "]", "mutable", "noexcept", "const", "override", "final"}


def is_value_end(tok):
    """Whether tok can end an operand, so that an operator after it is binary."""
    if tok is None:
        return False
    if tok.kind in ("num", "str", "chr"):
        return True
    if tok.kind == "id":
        return tok.text not in KEYWORDS or tok.text in VALUE_WORDS
    return tok.text in (")", "]")


def matching_brackets(tokens):
    """Index of the partner of every (), [] and {} (unbalanced ones are left out)."""
    partner, stack = {}, []
    pairs = {")": "(", "]": "[", "}": "{"}
    for i, t in enumerate(tokens):
        if t.kind != "punct":
            continue
        if t.text in "([{":
            stack.append(i)
        elif t.text in pairs:
            while stack and tokens[stack[-1]].text != pairs[t.text]:
                stack.pop()
            if stack:
                j = stack.pop()
                partner[i], partner[j] = j, i
    return partner


def template_brackets(tokens, partner):
    """Indices of the < > (and >>) tokens that bracket template arguments.

    A "<" after a name opens template arguments when a matching ">" follows
    before anything that cannot stand inside them (; { } && || ? or an
    unbalanced closing bracket)."""
    brackets = set()
    stops = {";", "{", "}", ")", "]", "&&", "||", "?", "="}
    for i, t in enumerate(tokens):
        if t.text != "<" or t.kind != "punct" or i == 0 or i in brackets:
            continue
        before = tokens[i - 1]
        if before.kind != "id" or (before.text in KEYWORDS and before.text not in CASTS and before.text != "template"):
            continue
        opened, seen, j = [i], [i], i + 1
        while j < len(tokens) and opened:
            tj = tokens[j]
            if tj.kind == "punct":
                if tj.text in "([" and j in partner:
                    j = partner[j]
                elif tj.text == "<" and tokens[j - 1].kind == "id":
                    opened.append(j)
                    seen.append(j)
                elif tj.text == ">":
                    opened.pop()
                    seen.append(j)
                elif tj.text == ">>":
                    if len(opened) < 2:
                        break
                    del opened[-2:]
                    seen.append(j)
                elif tj.text in stops:
                    break
            j += 1
        if not opened:
            brackets.update(seen)
    return brackets


@dataclass
class Statement:
    first: int  # token indices, the closing ";" included
    last: int


DECLARATION_STARTS = KEYWORDS - {"delete", "break", "continue", "return", "this", "sizeof"}


class StatementFinder:
    """Finds the statements inside function and lambda bodies that deleting
    leaves well-formed: expression statements, break, continue and a bare
    return. Declarations and returns of a value are left alone."""

    def __init__(self, tokens, partner):
        self.t, self.partner = tokens, partner
        self.found = []

    def text(self, i):
        return self.t[i].text if 0 <= i < len(self.t) else ""

    def is_body(self, i):
        """Whether the "{" at i opens a function's or a lambda's body."""
        before = self.text(i - 1)
        if before in BODY_AFTER:
            return True
        # A trailing return type: ") -> Type {".
        j = i - 1
        while j >= 0 and (self.t[j].kind == "id" or self.t[j].text in ("::", "<", ">", "*", "&", ",")):
            j -= 1
        return self.text(j) == "->"

    def scan_declarations(self, i, end):
        """Namespace and class scope: look for function bodies."""
        while i < end:
            if self.text(i) == "{" and i in self.partner:
                close = self.partner[i]
                # A "{" right after a "}" at this scope ends a constructor's
                # initialiser list whose last member is braced.
                if self.is_body(i) or self.text(i - 1) == "}":
                    self.scan_block(i + 1, close)
                else:
                    self.scan_declarations(i + 1, close)
                i = close
            i += 1

    def scan_block(self, i, end):
        while i < end:
            i = self.scan_statement(i, end)

    def scan_expression(self, i, end):
        """Lambdas inside an expression or an initialiser."""
        while i < end:
            if self.text(i) == "{" and i in self.partner:
                close = self.partner[i]
                if self.is_body(i):
                    self.scan_block(i + 1, close)
                else:
                    self.scan_expression(i + 1, close)
                i = close
            i += 1

    def skip_parens(self, i):
        """Past the parenthesised condition starting at i, scanning it for lambdas."""
        if self.text(i) != "(" or i not in self.partner:
            return i
        self.scan_expression(i + 1, self.partner[i])
        return self.partner[i] + 1

    def scan_statement(self, i, end):
        word = self.text(i)
        if word == "{" and i in self.partner:
            self.scan_block(i + 1, self.partner[i])
            return self.partner[i] + 1
        if word == ";":
            return i + 1
        if word in ("if", "while", "for", "switch"):
            j = i + 1
            if self.text(j) == "constexpr":
                j += 1
            j = self.scan_statement(self.skip_parens(j), end)
            if word == "if" and self.text(j) == "else":
                j = self.scan_statement(j + 1, end)
            return j
        if word == "do":
            j = self.scan_statement(i + 1, end)  # then: while (...) ;
            return self.skip_parens(j + 1) + 1
        if word == "try":
            j = self.scan_statement(i + 1, end)
            while self.text(j) == "catch":
                j = self.scan_statement(self.skip_parens(j + 1), end)
            return j
        if word in ("case", "default"):
            j = i
            while j < end and self.text(j) != ":":
                j += 1
            return j + 1
        # A simple statement runs to the ";" at its own level.
        j = i
        while j < end and self.text(j) != ";":
            if self.text(j) in ("(", "[", "{") and j in self.partner:
                j = self.partner[j]
            j += 1
        self.scan_expression(i, j)
        if j < end and self.is_deletable(i, j):
            self.found.append(Statement(i, j))
        return j + 1

    def is_deletable(self, first, semicolon):
        word = self.text(first)
        if word in ("break", "continue"):
            return True
        if word == "return":
            return semicolon == first + 1
        if word in DECLARATION_STARTS or self.t[first].kind not in ("id", "punct"):
            return False
        # "Type name", "Type* name", "a::Type<X> name" before any "=", "(" or
        # "{" make it a declaration.
        for k in range(first, semicolon):
            here, after = self.t[k], self.t[k + 1]
            if here.text in ("=", "(", "{") or here.text.endswith("="):
                break
            if after.kind == "id" and after.text not in KEYWORDS:
                if here.kind == "id" or here.text == ">" or (here.text in ("*", "&", "&&") and k > first):
                    return False
        return True


def deletable_statements(tokens, partner):
    finder = StatementFinder(tokens, partner)
    finder.scan_declarations(0, len(tokens))
    return finder.found


# ---------------------------------------------------------------- mutants


@dataclass
class Mutant:
    file: str  # relative to the tree's root
    line: int
    start: int  # the span of the file's text replaced
    end: int
    original: str
    replacement: str
    kind: str
    outcome: str = ""
    seconds: float = 0.0
    killed_by: list = field(default_factory=list)

    def describe(self, text):
        if self.kind == "statement":
            return f"{self.file}:{self.line}: {one_line(self.original)} -> (deleted)"
        line_start = text.rfind("\n", 0, self.start) + 1
        line_end = text.find("\n", self.end)
        line_end = len(text) if line_end < 0 else line_end
        head = text[line_start : self.start].lstrip()
        tail = text[self.end : line_end].rstrip()
        # A long line is shown around the change, the same stretch before and after.
        if len(head) > 60:
            head = "..." + head[-57:]
        if len(tail) > 40:
            tail = tail[:37] + "..."
        return f"{self.file}:{self.line}: {head}{self.original}{tail} -> {head}{self.replacement}{tail}"


def one_line(text, width=110):
    text = " ".join(text.split())
    return text if len(text) <= width else text[: width - 3] + "..."


RELATIONAL = {"<": ["<=", ">="], "<=": ["<", ">"], ">": [">=", "<="], ">=": [">", "<"], "==": ["!="], "!=": ["=="]}
ARITHMETIC = {"+": "-", "-": "+", "*": "/", "/": "*", "%": "/"}
ASSIGNING = {"+=": "-=", "-=": "+=", "*=": "/=", "/=": "*=", "%=": "/=", "++": "--", "--": "++"}
INTEGER = re.compile(r"^(0[xX][0-9a-fA-F]+|0[bB][01]+|0[0-7]*|[1-9][0-9]*)([A-Za-z_]\w*)?$")
# After these a "*" or "&&" declares a pointer or a reference.
TYPE_FOLLOWERS = {")", ",", ">", ">>", "&", "&&", "*", "=", "const", "...", ";"}


def declarator(text, before, tok):
    """Whether a "*" or "&&" is written as this code writes a declarator: on
    the type, with a space after it ("Action* action"), where an operator
    has a space on both sides."""
    return tok.start == before.end and text[tok.end : tok.end + 1].isspace()


def integer_variants(literal):
    """The literal one up and one down, in its own base and with its suffix."""
    m = INTEGER.match(literal.replace("'", ""))
    if not m:
        return []
    digits, suffix = m.group(1), m.group(2) or ""
    if suffix and suffix[0] not in "uUlLzZ" and digits[:2].lower() in ("0x", "0b"):
        return []
    if digits[:2].lower() == "0x":
        upper = any(c in "ABCDEF" for c in digits)
        value, shown = int(digits, 16), lambda v: digits[:2] + (f"{v:X}" if upper else f"{v:x}")
    elif digits[:2].lower() == "0b":
        value, shown = int(digits, 2), lambda v: f"0b{v:b}"
    elif len(digits) > 1 and digits[0] == "0":
        value, shown = int(digits, 8), lambda v: f"0{v:o}"
    else:
        value, shown = int(digits), str
    values = [value + 1] + ([value - 1] if value > 0 else [])
    return [shown(v) + suffix for v in values]


def mutants_of(relative, text):
    tokens = tokenize(text)
    partner = matching_brackets(tokens)
    templates = template_brackets(tokens, partner)
    found = []

    def add(tok, replacement, kind):
        found.append(Mutant(relative, tok.line, tok.start, tok.end, tok.text, replacement, kind))

    for i, tok in enumerate(tokens):
        before = tokens[i - 1] if i > 0 else None
        after = tokens[i + 1] if i + 1 < len(tokens) else None
        if before is not None and before.text == "operator":
            continue  # the name of an operator function
        if tok.kind == "id" and tok.text in ("true", "false"):
            add(tok, "false" if tok.text == "true" else "true", "boolean")
        elif tok.kind == "num":
            for variant in integer_variants(tok.text):
                add(tok, variant, "constant")
        elif tok.kind != "punct":
            continue
        elif tok.text in RELATIONAL and i not in templates:
            for replacement in RELATIONAL[tok.text]:
                add(tok, replacement, "relational")
        elif tok.text in ARITHMETIC and is_value_end(before):
            if tok.text == "*" and (after is None or after.text in TYPE_FOLLOWERS or declarator(text, before, tok)):
                continue
            add(tok, ARITHMETIC[tok.text], "arithmetic")
        elif tok.text in ASSIGNING:
            add(tok, ASSIGNING[tok.text], "arithmetic")
        elif tok.text in ("&&", "||"):
            if tok.text == "&&" and (
                not is_value_end(before) or after is None or after.text in TYPE_FOLLOWERS or declarator(text, before, tok)
            ):
                continue  # an rvalue reference
            add(tok, "||" if tok.text == "&&" else "&&", "logical")
        elif tok.text == "!":
            add(tok, "", "logical")

    for s in deletable_statements(tokens, partner):
        first, last = tokens[s.first], tokens[s.last]
        found.append(
            Mutant(relative, first.line, first.start, last.end, text[first.start : last.end], ";", "statement")
        )
    found.sort(key=lambda m: (m.start, m.end, m.replacement))
    return found


# ---------------------------------------------------------------- the copies and their builds


class Interrupted(Exception):
    pass


def sync_tree(source, copy):
    """Make copy hold what source holds, writing only the files that differ
    (their times then tell the build what to redo)."""
    wanted = set()
    for folder, dirs, files in os.walk(source):
        here = Path(folder)
        if here == source:
            dirs[:] = [d for d in dirs if d not in NOT_COPIED]
        for name in files:
            if here == source and name in NOT_COPIED:
                continue
            relative = (here / name).relative_to(source)
            wanted.add(relative)
            target = copy / relative
            data = (here / name).read_bytes()
            if not target.is_file() or target.read_bytes() != data:
                target.parent.mkdir(parents=True, exist_ok=True)
                target.write_bytes(data)
    for folder, _, files in os.walk(copy):
        for name in files:
            path = Path(folder) / name
            if path.relative_to(copy) not in wanted:
                path.unlink()


class Runner:
    """One copy of the tree with its own build folder; runs one mutant at a time."""

    def __init__(self, number, stop):
        self.source = WORK / f"tree-{number}"
        self.build = WORK / f"build-{number}"
        self.stop = stop
        self.process = None
        self.lock = threading.Lock()
        self.tests = []

    def run(self, command, seconds, limit_memory=False, cwd=None):
        """(exit status or None on a timeout, output). Killed with its group on a timeout or a stop."""
        if self.stop.is_set():
            raise Interrupted()
        preexec = (lambda: resource.setrlimit(resource.RLIMIT_AS, (TEST_MEMORY_LIMIT,) * 2)) if limit_memory else None
        with self.lock:
            self.process = subprocess.Popen(
                command,
                cwd=cwd,
                stdout=subprocess.PIPE,
                stderr=subprocess.STDOUT,
                start_new_session=True,
                preexec_fn=preexec,
            )
        try:
            output, _ = self.process.communicate(timeout=max(seconds, 0.1))
            status = self.process.returncode
        except subprocess.TimeoutExpired:
            self.kill()
            output, _ = self.process.communicate()
            status = None
        finally:
            with self.lock:
                self.process = None
        if self.stop.is_set():
            raise Interrupted()
        return status, output.decode("utf-8", "replace")

    def kill(self):
        with self.lock:
            if self.process is not None and self.process.poll() is None:
                try:
                    os.killpg(self.process.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass

    def prepare(self, jobs):
        """Sync the copy, configure and build it, and run the unmutated tests.
        Returns the seconds the tests took."""
        self.source.mkdir(parents=True, exist_ok=True)
        sync_tree(ROOT, self.source)
        configure = ["cmake", "-S", str(self.source), "-B", str(self.build)]
        if shutil.which("ninja") and not (self.build / "CMakeCache.txt").exists():
            configure += ["-G", "Ninja"]
        # Fast to build and to run: no sanitizers, warnings not fatal, -O1
        # (the tick-by-tick countdown tests run ten times faster than at -O0).
        configure += [
            "-DCMAKE_BUILD_TYPE=",
            "-DCMAKE_CXX_FLAGS=-O1",
            "-DKESTROW_SANITIZE=OFF",
            "-DKESTROW_WERROR=OFF",
            "-DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST",
        ]
        for command in (configure, self.build_command(jobs)):
            status, output = self.run(command, 3600)
            if status != 0:
                sys.exit(f"mutate.py: the unmutated tree does not build:\n{output[-3000:]}")
        self.tests = self.native_tests()
        started = time.monotonic()
        status, output = self.run_tests(600)
        if status != 0:
            sys.exit(f"mutate.py: the native tests fail on the unmutated tree:\n{output[-3000:]}")
        return time.monotonic() - started

    def build_command(self, jobs=1):
        # Everything the native configuration builds: the test programs and
        # what they link are all that depends on a core file.
        return ["cmake", "--build", str(self.build), "--parallel", str(jobs)]

    def native_tests(self):
        """The commands that run every test ctest knows of, as (command, folder):
        a GoogleTest program once as a whole (one process, not one a test
        case), any other test as ctest would run it."""
        status, output = self.run(["ctest", "--test-dir", str(self.build), "--show-only=json-v1"], 600)
        if status != 0:
            sys.exit(f"mutate.py: ctest cannot list the tests:\n{output[-3000:]}")
        listing = json.JSONDecoder().raw_decode(output, output.index("{"))[0]
        commands = []
        for test in listing["tests"]:
            command = test.get("command") or []
            folder = next((p["value"] for p in test.get("properties", []) if p["name"] == "WORKING_DIRECTORY"),
                          str(self.build))
            if any(arg.startswith("--gtest_filter=") for arg in command):
                command = [command[0], "--gtest_fail_fast"]
            if command and (command, folder) not in commands:
                commands.append((command, folder))
        if not commands:
            sys.exit("mutate.py: the native build has no tests")
        return commands

    def run_tests(self, seconds):
        """Runs the tests until one fails; (status of the first that failed, or
        0, or None on a timeout; its output)."""
        deadline = time.monotonic() + seconds
        for command, folder in self.tests:
            status, output = self.run(command, deadline - time.monotonic(), limit_memory=True, cwd=folder)
            if status != 0:
                return status, output
        return 0, ""

    def try_mutant(self, mutant, limit):
        path = self.source / mutant.file
        original = path.read_bytes()
        text = original.decode("utf-8")
        started = time.monotonic()
        if text[mutant.start : mutant.end] != mutant.original:
            mutant.outcome = "stale"  # the file changed after the mutants were listed
            return
        try:
            path.write_bytes((text[: mutant.start] + mutant.replacement + text[mutant.end :]).encode("utf-8"))
            status, _ = self.run(self.build_command(), limit)
            if status is None:
                mutant.outcome = "build timeout"
            elif status != 0:
                mutant.outcome = "stillborn"
            else:
                left = limit - (time.monotonic() - started)
                status, output = self.run_tests(left)
                if status is None:
                    mutant.outcome = "timeout"
                elif status == 0:
                    mutant.outcome = "survived"
                else:
                    mutant.outcome = "killed"
                    mutant.killed_by = sorted(set(re.findall(r"^\[  FAILED  \] (\S+?)(?:,| \(|$)", output, re.M)))
                    if status < 0:
                        mutant.killed_by.append(f"signal {-status} ({signal.Signals(-status).name})")
        finally:
            # Whatever happened, the file is put back; being newer than the
            # mutant's object file, it is rebuilt with the next mutant.
            path.write_bytes(original)
            mutant.seconds = time.monotonic() - started


# ---------------------------------------------------------------- the run


def core_files(patterns):
    chosen = []
    for pattern in patterns:
        if Path(pattern).is_absolute():
            pattern = os.path.relpath(pattern, ROOT)
        matches = sorted(ROOT.glob(pattern))
        if not matches:
            sys.exit(f"mutate.py: no file matches {pattern}")
        for path in matches:
            relative = path.relative_to(ROOT).as_posix()
            if relative not in chosen and relative not in NOT_IN_UNIT_TESTS:
                chosen.append(relative)
    return chosen


def summary(files, candidates, done, options, elapsed, texts):
    count = {name: sum(1 for m in done if m.outcome == name)
             for name in ("killed", "survived", "stillborn", "timeout", "build timeout", "stale")}
    counted = count["killed"] + count["timeout"] + count["survived"]
    rate = (count["killed"] + count["timeout"]) / counted if counted else 0.0
    lines = [
        f"Mutation check of {len(files)} files: {len(done)} mutants run of {candidates} candidates"
        + (f" (sample {options.sample}, seed {options.seed})" if options.sample else "")
        + f", limit {options.timeout:g} s per mutant, {elapsed / 60:.1f} min",
        f"killed {count['killed']}, survived {count['survived']}, stillborn {count['stillborn']} (not counted), "
        f"timeouts {count['timeout']} (counted as killed), build timeouts {count['build timeout']} (not counted)"
        + (f", stale {count['stale']} (file changed while running; not counted)" if count["stale"] else ""),
        f"kill rate {count['killed'] + count['timeout']}/{counted} = {100 * rate:.1f}%",
        "",
        "By file (killed+timeouts/counted):",
    ]
    for name in files:
        mine = [m for m in done if m.file == name]
        if mine:
            dead = sum(1 for m in mine if m.outcome in ("killed", "timeout"))
            alive = sum(1 for m in mine if m.outcome == "survived")
            lines.append(f"  {name}: {dead}/{dead + alive}" + (f" ({100 * dead / (dead + alive):.0f}%)" if dead + alive else ""))
    survivors = [m for m in done if m.outcome == "survived"]
    lines += ["", f"Survivors ({len(survivors)}):"]
    lines += [f"  {m.describe(texts[m.file])}" for m in survivors]
    return "\n".join(lines), count, rate


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--files", nargs="+", metavar="FILE",
                        help="files or globs relative to the tree's root (default: the core's .cpp files)")
    parser.add_argument("--sample", type=int, default=0, help="run this many mutants, chosen by --seed (default: all)")
    parser.add_argument("--seed", type=int, default=1, help="seed of the sample (default 1)")
    parser.add_argument("--timeout", type=float, default=60, help="seconds per mutant, build and tests (default 60)")
    parser.add_argument("-j", "--jobs", type=int, default=1, help="mutants at once, each in its own copy (default 1)")
    parser.add_argument("--list", action="store_true", help="list the mutants that would run and stop")
    parser.add_argument("--report", metavar="FILE", help="also write the outcome of every mutant as JSON")
    options = parser.parse_args()

    files = core_files(options.files or DEFAULT_GLOBS)
    texts = {name: (ROOT / name).read_text(encoding="utf-8") for name in files}
    candidates = [m for name in files for m in mutants_of(name, texts[name])]
    chosen = candidates
    if options.sample and options.sample < len(candidates):
        chosen = random.Random(options.seed).sample(candidates, options.sample)
    # In file order, so that one file is rebuilt at a time.
    chosen.sort(key=lambda m: (files.index(m.file), m.start, m.end, m.replacement))

    if options.list:
        for m in chosen:
            print(f"{m.kind:10} {m.describe(texts[m.file])}")
        print(f"{len(chosen)} of {len(candidates)} candidates in {len(files)} files")
        return 0

    stop = threading.Event()
    # Ctrl-C or a TERM stops the run; both raise KeyboardInterrupt here
    # (set anew: a shell starting it in the background ignores SIGINT).
    signal.signal(signal.SIGINT, signal.default_int_handler)
    signal.signal(signal.SIGTERM, signal.default_int_handler)
    runners = [Runner(k, stop) for k in range(max(options.jobs, 1))]
    started = time.monotonic()
    done, queue, lock = [], list(chosen), threading.Lock()
    failure = []
    finished = threading.Semaphore(0)

    def work(runner):
        try:
            seconds = runner.prepare(max(options.jobs, 2))
            print(f"tree-{runners.index(runner)}: built; the unmutated tests take {seconds:.1f} s", flush=True)
            while True:
                with lock:
                    if not queue or stop.is_set():
                        return
                    mutant = queue.pop(0)
                runner.try_mutant(mutant, options.timeout)
                with lock:
                    done.append(mutant)
                    print(f"[{len(done)}/{len(chosen)}] {mutant.outcome:9} {mutant.seconds:5.1f} s  "
                          f"{mutant.describe(texts[mutant.file])}", flush=True)
        except Interrupted:
            pass
        except BaseException as error:  # noqa: B036 - reported once all workers stopped
            failure.append(error)
            stop.set()
        finally:
            finished.release()

    threads = [threading.Thread(target=work, args=(r,)) for r in runners]
    for thread in threads:
        thread.start()
    # Waited for through a semaphore: a Thread.join that Ctrl-C interrupts
    # can take the thread for ended while it still runs (CPython 3.11).
    interrupted, waiting = False, len(threads)
    while waiting:
        try:
            while waiting and finished.acquire(timeout=0.5):
                waiting -= 1
        except KeyboardInterrupt:
            interrupted = True
            stop.set()
            for runner in runners:
                runner.kill()
    for thread in threads:
        thread.join()
    if failure:
        error = failure[0]
        if isinstance(error, SystemExit):
            raise error
        raise error

    done.sort(key=lambda m: (files.index(m.file), m.start, m.end, m.replacement))
    text, count, rate = summary(files, len(candidates), done, options, time.monotonic() - started, texts)
    print()
    if interrupted:
        print(f"Interrupted: {len(done)} of {len(chosen)} mutants ran; the copy under build/mutate holds the tree unchanged again.")
    print(text)
    if options.report:
        report = {
            "files": files,
            "candidates": len(candidates),
            "sample": options.sample,
            "seed": options.seed,
            "timeout": options.timeout,
            "counts": count,
            "kill_rate": rate,
            "mutants": [
                {"file": m.file, "line": m.line, "kind": m.kind, "original": m.original,
                 "replacement": m.replacement, "outcome": m.outcome, "seconds": round(m.seconds, 2),
                 "killed_by": m.killed_by, "shown": m.describe(texts[m.file])}
                for m in done
            ],
        }
        Path(options.report).write_text(json.dumps(report, indent=1, ensure_ascii=False) + "\n", encoding="utf-8")
    return 130 if interrupted else 0


if __name__ == "__main__":
    sys.exit(main())
