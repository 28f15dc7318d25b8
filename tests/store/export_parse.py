"""Reads an export back with Python's own parsers and prints its files as JSON
lines, one list per file: support, directory, name, extension, size, modified,
crc, infos (HTML: support, directory, name only).
    python3 export_parse.py csv|json|html FILE"""
import csv
import html.parser
import json
import sys


def from_csv(path):
    with open(path, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f))
    assert rows[0] == ["support", "directory", "name", "extension", "size", "modified", "crc", "infos"]
    return [r[:4] + [int(r[4])] + r[5:] for r in rows[1:]]


def from_json(path):
    with open(path, encoding="utf-8") as f:
        supports = json.load(f)
    return [[s["support"], d["directory"], f["name"], f["extension"], f["size"], f["modified"], f["crc"],
             f["infos"]] for s in supports for d in s["directories"] for f in d["files"]]


class Tree(html.parser.HTMLParser):
    """Follows the nested <details>: the first is the support, the others the
    directory's parts; each <li>'s first text is a file name."""

    def __init__(self):
        super().__init__()
        self.path, self.files, self.in_summary, self.in_item = [], [], False, False

    def handle_starttag(self, tag, attrs):
        if tag == "details":
            self.path.append("")
        if tag == "summary":
            self.in_summary = True
        if tag == "span":
            self.in_item = False
        if tag == "li":
            self.in_item = True
            self.files.append([self.path[0], "\\".join(self.path[1:]), ""])

    def handle_endtag(self, tag):
        if tag == "details":
            self.path.pop()
        if tag == "summary":
            self.in_summary = False
        if tag == "li":
            self.in_item = False

    def handle_data(self, data):
        if self.in_summary:
            self.path[-1] += data
        elif self.in_item:
            self.files[-1][2] += data


def from_html(path):
    tree = Tree()
    with open(path, encoding="utf-8") as f:
        tree.feed(f.read())
    return tree.files


for row in {"csv": from_csv, "json": from_json, "html": from_html}[sys.argv[1]](sys.argv[2]):
    print(json.dumps(row, ensure_ascii=False))
