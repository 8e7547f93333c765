"""Writing acceptance case folders: a device root with its files, cesim's
arguments, an optional script, and an empty expected.png where the screen
is compared (made by the first run with UPDATE_EXPECTED=1)."""

import os
import shutil


def unicode(*lines, ending="\r\n"):
    """A UTF-16LE text file with byte-order mark, as the panel and the daemon read them."""
    return b"\xff\xfe" + (ending.join(lines) + ending).encode("utf-16-le")


def write_case(folder, files, args, script=None, picture=False):
    root = os.path.join(folder, "root")
    if os.path.isdir(root):
        shutil.rmtree(root)
    os.makedirs(root, exist_ok=True)
    for path, content in files.items():
        target = os.path.join(root, *path.split("/"))
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as out:
            out.write(content)
    if not files:
        open(os.path.join(root, ".keep"), "wb").close()
    with open(os.path.join(folder, "args"), "w") as out:
        out.write("\n".join(args) + "\n")
    expected_picture = os.path.join(folder, "expected.png")
    if picture and not os.path.exists(expected_picture):
        open(expected_picture, "wb").close()
    script_path = os.path.join(folder, "script")
    if script:
        with open(script_path, "w") as out:
            out.write("\n".join(script) + "\n")
    elif os.path.exists(script_path):
        os.remove(script_path)
