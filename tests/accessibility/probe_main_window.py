#!/usr/bin/python3
"""Reads the main window's accessibility tree as a screen reader does and checks that group
boxes are named by caption, amount fields by their label and buttons by caption."""
import sys
import time

import pyatspi


def find_app(name):
    for _ in range(50):
        for app in pyatspi.Registry.getDesktop(0):
            if app and app.name == name:
                return app
        time.sleep(0.2)
    sys.exit(f"no accessible application named {name}")


def walk(node, depth=0, out=None):
    out = [] if out is None else out
    out.append((depth, node.getRoleName(), node.name))
    for child in node:
        if child is not None:
            walk(child, depth + 1, out)
    return out


def main():
    app = find_app(sys.argv[1] if len(sys.argv) > 1 else "Endeudamiento")
    tree = walk(app)
    for depth, role, name in tree:
        print("  " * depth + f"{role}: {name!r}")
    heard = {(role, name) for _, role, name in tree}
    expected = [
        ("frame", "Cálculos para Endeudamiento Municipal."),
        ("panel", " DERECHOS RECONOCIDOS NETOS "),
        ("text", "Cap. I"),
        ("text", "Capital Vivo Préstamos existentes:"),
        ("text", "Carga financiera anterior, %"),
        ("push button", "Calcular"),
        ("push button", "Informe"),
        ("push button", "Salir"),
        ("page tab", "Resultados"),
    ]
    missing = [e for e in expected if e not in heard]
    if missing:
        sys.exit(f"not heard: {missing}")
    print("all expected names heard")


if __name__ == "__main__":
    main()
