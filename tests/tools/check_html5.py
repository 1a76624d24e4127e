#!/usr/bin/python3
"""Parses every .html file under a folder with html5lib's strict HTML5 parser.

Prints one line per parse error ("file: line:col error") and exits 1 when any
page has one; exits 77 with a message when html5lib is not installed.
"""
import pathlib
import sys

try:
    import html5lib
except ImportError:
    print("html5lib není nainstalován (balíček python3-html5lib)", file=sys.stderr)
    sys.exit(77)


def page_errors(path):
    parser = html5lib.HTMLParser(strict=False)
    with open(path, "rb") as page:
        parser.parse(page, transport_encoding="utf-8")
    return [f"{path}: {line}:{col} {code} {data}" for (line, col), code, data in parser.errors]


def main():
    pages = sorted(pathlib.Path(sys.argv[1]).rglob("*.html"))
    if not pages:
        print("žádná stránka", file=sys.stderr)
        return 1
    errors = [error for page in pages for error in page_errors(page)]
    for error in errors:
        print(error)
    print(f"{len(pages)} stránek, {len(errors)} chyb")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
