#!/usr/bin/env python3
"""Checks of the installed tree and of the Debian package.

  check_install.py install <cmake> <build> <destdir>   stage an installation
  check_install.py files <destdir> [--game]            the files and their contents
  check_install.py desktop <destdir>                   desktop-file-validate
  check_install.py uci <destdir>                       a UCI exchange with kelvra-uci
  check_install.py starter <destdir>                   the game's starter script
  check_install.py deb <cpack> <build> <workdir> [--game]

Every installation is staged with the prefix /usr under DESTDIR. Exit code 77
marks a check skipped because a tool is missing.
"""
import configparser
import gzip
import os
import shutil
import struct
import subprocess
import sys
import time
import xml.etree.ElementTree as ET

PREFIX = "/usr"
SKIP = 77
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def staged(destdir, path):
    return os.path.join(destdir, path.lstrip("/"))


def read_desktop_entry(path):
    parser = configparser.RawConfigParser(delimiters=("=",), interpolation=None)
    parser.optionxform = str  # keys are case-sensitive
    with open(path, encoding="utf-8") as f:
        parser.read_file(f)
    check(parser.has_section("Desktop Entry"), f"{path}: no [Desktop Entry] group")
    return dict(parser["Desktop Entry"])


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    check(head[:8] == b"\x89PNG\r\n\x1a\n" and head[12:16] == b"IHDR", f"{path}: not a PNG")
    return struct.unpack(">II", head[16:24])


# ---- install ----

def do_install(cmake, build, destdir):
    shutil.rmtree(destdir, ignore_errors=True)
    env = dict(os.environ, DESTDIR=destdir)
    result = subprocess.run([cmake, "--install", build, "--prefix", PREFIX], env=env,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    print(result.stdout)
    check(result.returncode == 0, "cmake --install failed")
    # The manifest (paths without DESTDIR) must list exactly what landed under
    # DESTDIR, the files written while installing included.
    with open(os.path.join(build, "install_manifest.txt"), encoding="utf-8") as f:
        listed = {line.strip() for line in f if line.strip()}
    found = set()
    for folder, _, files in os.walk(destdir):
        for name in files:
            found.add("/" + os.path.relpath(os.path.join(folder, name), destdir))
    check(found, "nothing was installed under DESTDIR")
    check(listed == found, f"the manifest differs from the staged files: listed only "
                           f"{sorted(listed - found)}, staged only {sorted(found - listed)}")


# ---- files ----

def check_files(destdir, game):
    def exists(path, executable=False):
        full = staged(destdir, path)
        check(os.path.isfile(full), f"missing {path}")
        if executable:
            check(os.access(full, os.X_OK), f"{path} is not executable")
        return full

    exists("/usr/bin/kelvra-uci", executable=True)
    check_man_page(exists("/usr/share/man/man6/kelvra-uci.6.gz"),
                   ["uci", "isready", "ucinewgame", "setoption", "position", "go", "stop",
                    "quit", "bench", "Level", "UCI_LimitStrength", "UCI_Elo", "OwnBook",
                    "perft", "movetime", "wtime", "infinite"])
    if not game:
        return
    exists("/usr/bin/kelvra-chess", executable=True)
    exists("/usr/libexec/kelvra-chess/kelvra-chess", executable=True)
    exists("/usr/share/kelvra-chess/AutumnSky/skin.ini")
    check_man_page(exists("/usr/share/man/man6/kelvra-chess.6.gz"), ["kelvra-chess", "AutumnSky"])

    entry = read_desktop_entry(exists("/usr/share/applications/kelvra-chess.desktop"))
    check(entry.get("Type") == "Application", "desktop entry: Type is not Application")
    check(entry.get("Name") == "Kelvra Chess", f"desktop entry: Name is {entry.get('Name')!r}")
    check(entry.get("Categories") == "Game;BoardGame;",
          f"desktop entry: Categories is {entry.get('Categories')!r}")
    # The window looks for its skin in the working directory: Path must hold it.
    path = entry.get("Path", "")
    check(path == "/usr/share/kelvra-chess", f"desktop entry: Path is {path!r}")
    check(os.path.isfile(staged(destdir, path + "/AutumnSky/skin.ini")),
          "desktop entry: Path does not hold AutumnSky/skin.ini")
    command = entry.get("Exec", "").split()
    check(command and command[0].startswith(PREFIX + "/"),
          f"desktop entry: Exec is not an installed program: {entry.get('Exec')!r}")
    exists(command[0], executable=True)

    icon = entry.get("Icon")
    check(icon == "kelvra-chess", f"desktop entry: Icon is {icon!r}")
    for size in ICON_SIZES:
        png = exists(f"/usr/share/icons/hicolor/{size}x{size}/apps/{icon}.png")
        check(png_size(png) == (size, size), f"{png}: size {png_size(png)}, expected {size}")
    ET.parse(exists(f"/usr/share/icons/hicolor/scalable/apps/{icon}.svg"))


def check_man_page(path, words):
    with gzip.open(path, "rt", encoding="utf-8") as f:
        text = f.read()
    check(text.startswith(".TH "), f"{path}: no .TH header")
    missing = [w for w in words if w not in text.replace("\\-", "-")]
    check(not missing, f"{path}: does not mention {missing}")
    groff = shutil.which("groff")
    if groff:
        # Warnings from the formatter point at broken markup.
        result = subprocess.run([groff, "-man", "-Tutf8", "-ww", "-z"], input=text,
                                capture_output=True, text=True)
        check(result.returncode == 0 and not result.stderr.strip(),
              f"{path}: groff reports: {result.stderr.strip()}")


# ---- desktop-file-validate ----

def validate_desktop(destdir):
    tool = shutil.which("desktop-file-validate")
    if not tool:
        print("SKIPPED: desktop-file-validate not found; install Debian's desktop-file-utils")
        return SKIP
    path = staged(destdir, "/usr/share/applications/kelvra-chess.desktop")
    result = subprocess.run([tool, path], capture_output=True, text=True)
    output = (result.stdout + result.stderr).strip()
    print(output or "desktop-file-validate: no remarks")
    check(result.returncode == 0 and not output, "desktop-file-validate reports problems")
    return 0


# ---- kelvra-uci ----

def check_uci(destdir):
    # At the end of its input kelvra-uci finishes the search and exits.
    result = subprocess.run([staged(destdir, "/usr/bin/kelvra-uci")], capture_output=True, text=True,
                            input="uci\nisready\nposition startpos moves e2e4\ngo depth 4\n", timeout=30)
    lines = result.stdout.splitlines()
    check(result.returncode == 0, f"kelvra-uci exited with {result.returncode}: {result.stderr}")
    check("id name Kelvra Chess" in lines, f"no engine name in {lines[:5]}")
    answers = [l for l in lines if l in ("uciok", "readyok") or l.startswith("bestmove")]
    check([a.split()[0] for a in answers] == ["uciok", "readyok", "bestmove"],
          f"answers out of order: {answers}")
    move = answers[2].split()[1:2]
    check(move and len(move[0]) == 4 and move[0][1] in "78" and move[0][3] in "5678",
          f"not a black reply to 1.e4: {answers[2]}")
    print("kelvra-uci answered 1.e4 with", move[0])


# ---- the starter ----

def check_starter(destdir):
    """The installed kelvra-chess starts the window in the skin's folder."""
    elsewhere = os.path.join(destdir, "elsewhere")
    os.makedirs(elsewhere, exist_ok=True)
    program = os.path.realpath(staged(destdir, "/usr/libexec/kelvra-chess/kelvra-chess"))
    skin_folder = os.path.realpath(staged(destdir, "/usr/share/kelvra-chess"))
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    game = subprocess.Popen([staged(destdir, "/usr/bin/kelvra-chess")], cwd=elsewhere, env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    try:
        # The script replaces itself with the program; wait for that.
        deadline = time.monotonic() + 10
        exe = cwd = None
        while time.monotonic() < deadline and game.poll() is None:
            try:
                exe = os.readlink(f"/proc/{game.pid}/exe")
                cwd = os.readlink(f"/proc/{game.pid}/cwd")
            except OSError:
                pass
            if exe == program:
                break
            time.sleep(0.05)
        if game.poll() is not None:
            raise Failure(f"the game ended at once: {game.stderr.read()}")
        check(exe == program, f"the starter runs {exe}, not {program}")
        check(cwd == skin_folder, f"the game runs in {cwd}, not in {skin_folder}")
        time.sleep(0.5)
        if game.poll() is not None:
            raise Failure(f"the game ended early: {game.stderr.read()}")
        print("the game runs in", cwd)
    finally:
        if game.poll() is None:
            game.kill()
        game.wait()


# ---- the Debian package ----

def check_deb(cpack, build, workdir, game):
    dpkg_deb = shutil.which("dpkg-deb")
    if not dpkg_deb:
        print("SKIPPED: dpkg-deb not found")
        return SKIP
    shutil.rmtree(workdir, ignore_errors=True)
    os.makedirs(workdir)
    result = subprocess.run([cpack, "-G", "DEB", "-B", workdir], cwd=build,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    print(result.stdout)
    check(result.returncode == 0, "cpack failed")
    debs = [f for f in os.listdir(workdir) if f.endswith(".deb")]
    check(len(debs) == 1, f"expected one package, found {debs}")
    deb = os.path.join(workdir, debs[0])

    def field(name):
        return subprocess.run([dpkg_deb, "-f", deb, name], capture_output=True, text=True,
                              check=True).stdout.strip()

    package, version, arch = field("Package"), field("Version"), field("Architecture")
    check(package == "kelvra-chess", f"package name {package!r}")
    check(debs[0] == f"kelvra-chess_{version}_{arch}.deb", f"package file name {debs[0]}")
    depends = [d.split()[0] for d in field("Depends").split(", ")]
    needed = ["libc6", "libstdc++6"]
    if game:
        needed += ["libqt6core6", "libqt6gui6", "libqt6widgets6"]
    missing = [n for n in needed if n not in depends]
    check(not missing, f"Depends lacks {missing}: {field('Depends')}")
    # Qt's development packages are for building, never for running.
    check(not any(d.endswith("-dev") for d in depends), f"Depends names -dev packages: {depends}")

    unpacked = os.path.join(workdir, "root")
    subprocess.run([dpkg_deb, "-x", deb, unpacked], check=True)
    check_files(unpacked, game)
    print(f"{debs[0]}: Depends: {field('Depends')}")
    return 0


def main(argv):
    what, args = argv[1], argv[2:]
    game = "--game" in args
    args = [a for a in args if a != "--game"]
    try:
        if what == "install":
            do_install(*args)
        elif what == "files":
            check_files(args[0], game)
        elif what == "desktop":
            return validate_desktop(args[0])
        elif what == "uci":
            check_uci(args[0])
        elif what == "starter":
            check_starter(args[0])
        elif what == "deb":
            return check_deb(*args, game)
        else:
            raise Failure(f"unknown check {what}")
    except Failure as failure:
        print("FAILED:", failure)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
