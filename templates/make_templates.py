#!/usr/bin/env python3
"""Writes the installation's report templates (the .pts files beside this
script): the record sheets, the health card, shows, titles, breeding
approval, litters, matings, pedigrees, exams, the photo album, the
breeder's diary, and the envelopes and labels (label_templates.py).

    python3 templates/make_templates.py [FOLDER]

Every template prints on A4 with the kennel's name (report parameter line 1)
and the print date at the top and "Strana x / y" at the bottom. The lists of
an event book print over the book's columns joined with the record sheet's
Otec, Matka, plemeno, Datum_Nar, Pohlavi, Vlastnictvi, Vlast_odchov, Registr
and Registr_Cislo; the record-sheet templates over all columns of the sheet.
"""

import os
import sys

sys.dont_write_bytecode = True

from label_templates import LABELS
from pts_writer import (BODY, BOLD, CENTRE, GREY, GROW, ITALIC, LEFT, MULTILINE, line_height,
                        PAGE_COUNT, PAGE_FOOTER, PAGE_HEADER, PAGE_NUMBER, PRINT_DATE,
                        REPORT_FOOTER, RIGHT, SILVER, Template)

HERE = os.path.dirname(os.path.abspath(__file__))

# ---- the frame every page shares ------------------------------------------------

HEADER_HEIGHT = 58
HEADING_HEIGHT = 36  # column headings of two lines under the title
FOOTER_HEIGHT = 26
LABEL_COLOUR = GREY


CONTINUED_WIDTH = 430


def page_frame(t, title, heading=None, heading_height=0, continued=False):
    """Kennel name, print date and title at the top; the page numbers at the
    bottom. `heading` draws column headings below the title (list templates);
    `continued` names the animal whose list a page goes on with."""
    w = t.width
    t.section(PAGE_HEADER, HEADER_HEIGHT + heading_height)
    t.parameter("H", 0, 0, 0, w - 170, 18, size=9, style=BOLD)
    t.text("H", w - 166, 1, 102, 16, "Vytištěno:", size=8, align=RIGHT, colour=LABEL_COLOUR)
    t.variable("H", PRINT_DATE, "d.M.yyyy", w - 60, 1, 60, 16, size=8)
    title_width = w - CONTINUED_WIDTH - 4 if continued else w
    t.text("H", 0, 20, title_width, 28, title, size=15, style=BOLD)
    if continued:
        continued_animal(t)
    t.hline("H", 0, 52, w, pen=2)
    if heading:
        heading(t, HEADER_HEIGHT)
    t.section(PAGE_FOOTER, FOOTER_HEIGHT)
    t.hline("P", 0, 4, w)
    t.text("P", 0, 8, 300, 16, "Chovatelská evidence Harvel", size=7, colour=LABEL_COLOUR)
    # Wide enough for page numbers and totals of nine digits at this size
    # ("Strana 99999 / 99999" needs 67 and 38 hundredths).
    t.variable("P", PAGE_NUMBER, "Strana %d", w - 200, 8, 130, 16, size=8, align=RIGHT)
    t.variable("P", PAGE_COUNT, "/ %d", w - 68, 8, 68, 16, size=8)


def continued_animal(t):
    """On a page that goes on with an animal's list, its name beside the
    title (the animal's header stands only where its list begins)."""
    t.function("Pokracovani", "Jedinec pokračující stránky",
               "#Jmeno_registr + ' – pokračování'", text=True, initial="")
    t.function_value("H", "Pokracovani", t.width - CONTINUED_WIDTH, 26, CONTINUED_WIDTH, 19,
                     size=10, style=BOLD,
                     align=RIGHT, condition="%6 > 1")


def column_headings(columns, y0=0, size=8):
    """A heading row: `columns` is a list of (x, width, caption[, align])."""

    def draw(t, y):
        y += y0
        for column in columns:
            x, width, caption = column[:3]
            align = column[3] if len(column) > 3 else LEFT
            t.text("H", x, y + 2, width, 28, caption, size=size, style=BOLD,
                   align=align | MULTILINE)
        t.hline("H", 0, y + 32, t.width)

    return draw


def labelled(t, code, x, y, label_width, value_width, label, value=None, size=9, grow=False,
             value_style=0):
    """A grey caption with its value beside it; `value` names the field."""
    t.text(code, x, y + 1, label_width, 16, label, size=8, colour=LABEL_COLOUR)
    if value:
        t.field(code, value, x + label_width + 2, y, value_width, 16, size=size,
                style=value_style, align=GROW if grow else LEFT)


def animal_header(t, code, y=0, sex=True):
    """The animal an event list is grouped by: its name, breed, birth date,
    sex, register, sire and dam (the record-sheet columns of the list)."""
    w = t.width
    t.band(code, 0, y, w, 64)
    t.field(code, "Jmeno_registr", 6, y + 4, 470, 22, size=12, style=BOLD)
    t.text(code, 480, y + 7, 56, 16, "Registr:", size=8, colour=LABEL_COLOUR)
    t.field(code, "Registr", 536, y + 6, 60, 16, size=9)
    t.field(code, "Registr_Cislo", 598, y + 6, w - 604, 16, size=9)
    labelled(t, code, 6, y + 27, 52, 180, "Plemeno:", "plemeno")
    labelled(t, code, 250, y + 27, 66, 80, "Narozen(a):", "Datum_Nar")
    if sex:
        labelled(t, code, 420, y + 27, 50, 90, "Pohlaví:", "Pohlavi")
    labelled(t, code, 6, y + 45, 52, 300, "Otec:", "Otec")
    labelled(t, code, 370, y + 45, 46, w - 422, "Matka:", "Matka")
    return y + 64


GROUP_HEADER_HEIGHT = 64 + 38  # the animal's header and the column headings


def group_headings(t, code, y, columns):
    """Column headings of two lines under an animal's header."""
    for column in columns:
        x, width, caption = column[:3]
        align = column[3] if len(column) > 3 else LEFT
        t.text(code, x, y + 4, width, 28, caption, size=8, style=BOLD, align=align | MULTILINE)
    t.hline(code, 0, y + 34, t.width)


def row_line(t, code, y):
    t.hline(code, 0, y, t.width, colour=SILVER)


def save(t, name):
    t.write(os.path.join(HERE, name))


# ---- record sheets (source 0) -------------------------------------------------------


def evidlist00():
    t = Template("Evidenční list - identifikační list")
    page_frame(t, "Identifikační list")
    w = t.width
    t.section(BODY, 470)
    t.band("T", 0, 0, w, 34)
    t.field("T", "Jmeno_registr", 6, 5, 520, 26, size=14, style=BOLD)
    t.field("T", "Jmeno_call", 530, 8, w - 536, 22, size=11, style=ITALIC, align=RIGHT)

    def block(y, title):
        t.text("T", 0, y, 300, 18, title, size=10, style=BOLD)
        t.hline("T", 0, y + 19, w, colour=SILVER)
        return y + 24

    lw, vw, rx = 120, 236, 370
    y = block(44, "Identifikace")
    rows = [
        ("Plemeno:", "Plemeno", "Pohlaví:", "Pohlavi"),
        ("Datum narození:", "Datum_nar", "Tetování:", "Tetovaci_cislo"),
        ("Čip:", "Cip", "Barva:", "Srst_barva"),
        ("Registr:", None, "Typ srsti:", "Srst_strukt"),
    ]
    rw = w - rx - lw - 2
    for left_label, left_field, right_label, right_field in rows:
        labelled(t, "T", 0, y, lw, vw, left_label, left_field)
        labelled(t, "T", rx, y, lw, rw, right_label, right_field)
        y += 20
    t.field("T", "Registr", lw + 2, y - 20, 70, 16)
    t.field("T", "Registr_Cislo", lw + 76, y - 20, vw - 74, 16)
    y = block(y + 8, "Původ")
    for label, name in [("Otec:", "Otec"), ("Matka:", "Matka"), ("Chovatel:", "Chovatel"),
                        ("Majitel:", "Majitel")]:
        labelled(t, "T", 0, y, lw, w - lw - 2, label, name)
        y += 20
    y = block(y + 8, "Evidence")
    labelled(t, "T", 0, y, lw, 80, "Zařazen(a) dne:", "Datum_zar")
    t.field("T", "Druh_zaraz", lw + 90, y, vw - 90, 16)
    labelled(t, "T", rx, y, lw, 80, "Vyřazen(a) dne:", "Datum_vyr")
    t.field("T", "Druh_vyrazeni", rx + lw + 90, y, w - rx - lw - 90, 16)
    y += 20
    labelled(t, "T", 0, y, lw, vw, "Ve vlastnictví:", "Vlastnictvi")
    labelled(t, "T", rx, y, lw, rw, "Vlastní odchov:", "Vlast_odchov")
    y += 20
    labelled(t, "T", 0, y, lw, vw, "Datum úhynu:", "Datum_uhyn")
    y += 28
    t.text("T", 0, y + 1, lw, 16, "Poznámky:", size=8, colour=LABEL_COLOUR)
    t.field("T", "Poznamka", lw + 2, y, w - lw - 2, 16, align=GROW)
    t.hline("T", 0, 462, w, pen=2)
    save(t, "EvidList00.pts")


def evidlist01():
    t = Template("Evidenční list - kartotéka")
    page_frame(t, "Kartotéka zvířat chovné stanice")
    w = t.width
    t.section(BODY, 222)
    t.frame("T", 0, 4, w, 210, rounded=True)
    t.field("T", "Jmeno_registr", 10, 10, 500, 24, size=12, style=BOLD)
    t.field("T", "Jmeno_call", 520, 12, w - 530, 20, size=11, style=ITALIC, align=RIGHT)
    lw, lx, rx, vw = 110, 10, 370, 236
    y = 40
    for left_label, left_field, right_label, right_field in [
            ("Plemeno:", "Plemeno", "Pohlaví:", "Pohlavi"),
            ("Datum narození:", "Datum_nar", "Tetování:", "Tetovaci_cislo"),
            ("Registr:", None, "Čip:", "Cip")]:
        labelled(t, "T", lx, y, lw, vw, left_label, left_field)
        labelled(t, "T", rx, y, lw, w - rx - lw - 12, right_label, right_field)
        y += 20
    t.field("T", "Registr", lx + lw + 2, y - 20, 70, 16)
    t.field("T", "Registr_Cislo", lx + lw + 76, y - 20, vw - 80, 16)
    for label, name in [("Otec:", "Otec"), ("Matka:", "Matka"), ("Chovatel:", "Chovatel"),
                        ("Majitel:", "Majitel")]:
        labelled(t, "T", lx, y, lw, w - lx - lw - 12, label, name)
        y += 20
    labelled(t, "T", lx, y, lw, vw, "Barva:", "Srst_barva")
    labelled(t, "T", rx, y, lw, 100, "Ve vlastnictví:", "Vlastnictvi")
    t.section(REPORT_FOOTER, 30)
    t.function("PocetZvirat", "Počet zvířat", "1", aggregation=1)
    t.text("K", 400, 8, 250, 18, "Zvířat v kartotéce:", size=9, style=BOLD, align=RIGHT)
    t.function_value("K", "PocetZvirat", 655, 8, w - 655, 18, style=BOLD, align=RIGHT)
    save(t, "EvidList01.pts")


def evidlist02():
    t = Template("Evidenční list - fyzické znaky")
    page_frame(t, "Fyzické znaky zvířat")
    w = t.width
    traits = [
        ("Váha při narození:", "Vaha_narozeni"), ("Váha v dospělosti:", "Vaha_dospelost"),
        ("Kohoutková výška:", "Vyska_kohout"),
        ("Délka psa:", "Delka_psa"), ("Délka hlavy:", "Delka_hlavy"),
        ("Délka nosu:", "Delka_nosu"),
        ("Objem hrudníku:", "Hrud_objem"), ("Hloubka hrudníku:", "Hrud_hloubka"),
        ("Délka hřbetu:", "Delka_hrbet"),
        ("Barva srsti:", "Srst_barva"), ("Typ srsti:", "Srst_strukt"), ("Kůže:", "Kuze"),
        ("Hlava:", "Proporce"), ("Zuby – skus:", "Zuby_zkus"),
        ("Zuby – chybějící:", "Zuby_chybi"),
        ("Oko – barva:", "Oko_barva"), ("Oko – tvar:", "Oko_tvar"),
        ("Pigment:", "Pigment"),
        ("Ucho – tvar:", "Ucho_tvar"), ("Ucho – nasazení:", "Ucho_nasazeni"), ("Krk:", "Krk"),
        ("Hrudník:", "Hrudnik"), ("Břicho:", "Bricho"), ("Horní linie:", "Horni_linie"),
        ("Ocas:", "Ocas_nasazeni"), ("Přední nohy:", "Predni_nohy_postoj"),
        ("Zadní nohy:", "Zadni_nohy_postoj"),
        ("DKK:", "DKK"), ("Luxace pately:", "Luxace"), ("PRA:", "Pra"),
    ]
    rows = (len(traits) + 2) // 3
    long_texts = [("Postava a zvláštní znaky:", "Postava_zvl_znaky"),
                  ("Pohyb v akci:", "Pohyb_akce"), ("Pohyb v chůzi:", "Pohyb_chuze"),
                  ("Povahové rysy:", "Povaha"), ("Strava:", "Apetit")]
    body = 30 + rows * 17 + 6 + len(long_texts) * 17 + 10
    t.section(BODY, body)
    t.band("T", 0, 0, w, 24)
    t.field("T", "Jmeno_registr", 6, 3, 330, 20, size=11, style=BOLD)
    t.field("T", "Plemeno", 340, 5, 228, 16, size=9)
    t.field("T", "Pohlavi", 572, 5, 60, 16, size=9)
    t.field("T", "Datum_nar", 636, 5, w - 642, 16, size=9, align=RIGHT)
    column = w // 3
    for i, (label, name) in enumerate(traits):
        x = (i % 3) * column
        y = 30 + (i // 3) * 17
        t.text("T", x, y + 1, 104, 16, label, size=8, colour=LABEL_COLOUR)
        t.field("T", name, x + 106, y, column - 112, 16, size=8, align=GROW)
    y = 30 + rows * 17 + 6
    for label, name in long_texts:
        t.text("T", 0, y + 1, 140, 16, label, size=8, colour=LABEL_COLOUR)
        t.field("T", name, 142, y, w - 142, 16, size=8, align=GROW)
        y += 17
    t.hline("T", 0, body - 4, w, pen=2)
    save(t, "EvidList02.pts")


def evidlist03():
    t = Template("Evidenční list - časové a jiné údaje")
    columns = [(0, 190, "Jméno"), (194, 66, "Narozen(a)"), (264, 124, "Zařazení do evidence"),
               (392, 124, "Vyřazení z evidence"), (520, 66, "Úhyn"),
               (590, 66, "Ve vlastnictví"), (660, 66, "Vlastní odchov")]
    page_frame(t, "Časové a jiné údaje zvířat", column_headings(columns), HEADING_HEIGHT)
    w = t.width
    t.section(BODY, 80)
    t.field("T", "Jmeno_registr", 0, 3, 190, 16, size=9, style=BOLD, align=GROW)
    t.field("T", "Datum_nar", 194, 3, 66, 16)
    t.field("T", "Datum_zar", 264, 3, 124, 16)
    t.field("T", "Datum_vyr", 392, 3, 124, 16)
    t.field("T", "Datum_uhyn", 520, 3, 66, 16)
    t.yes_no("T", "Vlastnictvi", 590, 3, 66, 16)
    t.yes_no("T", "Vlast_odchov", 660, 3, 66, 16)
    t.field("T", "Jmeno_call", 0, 20, 190, 16, size=8, style=ITALIC)
    t.field("T", "Druh_zaraz", 264, 20, 124, 16, size=8)
    t.field("T", "Druh_vyrazeni", 392, 20, 124, 16, size=8)
    labelled(t, "T", 0, 38, 56, 300, "Chovatel:", "Chovatel", size=8, grow=True)
    labelled(t, "T", 370, 38, 52, w - 424, "Majitel:", "Majitel", size=8, grow=True)
    t.text("T", 0, 57, 62, 16, "Poznámky:", size=8, colour=LABEL_COLOUR,
           condition="LENGTH(#Poznamka) > 0")
    t.field("T", "Poznamka", 64, 56, w - 64, 16, size=8, align=GROW)
    row_line(t, "T", 76)
    save(t, "EvidList03.pts")


# ---- health card (source 1) --------------------------------------------------------


def zdrkarta00():
    t = Template("zdravotní karta jedince")
    page_frame(t, "Zdravotní karta jedince", continued=True)
    w = t.width
    header, footer = t.group("#Jmeno_registr", GROUP_HEADER_HEIGHT, 30, new_page=True)
    group_headings(t, header, animal_header(t, header),
                   [(0, 70, "Datum"), (74, 90, "Důvod"), (168, 170, "Popis ošetření"),
                    (342, 130, "Výsledek"), (476, 130, "Lékař"), (610, 116, "Přípravky")])
    t.function("PocetNavstev", "Počet návštěv lékaře", "1", aggregation=1, reset=2)
    t.section(BODY, 42)
    t.field("T", "Datum_osetreni", 0, 3, 70, 16)
    t.field("T", "Duvod_osetreni", 74, 3, 90, 16, align=GROW)
    t.field("T", "Popis_osetreni", 168, 3, 170, 16, align=GROW)
    t.field("T", "Vysled_osetreni", 342, 3, 130, 16, align=GROW)
    t.field("T", "Lekar", 476, 3, 130, 16, align=GROW)
    t.field("T", "Preparaty", 610, 3, 116, 16, align=GROW)
    t.text("T", 74, 21, 90, 16, "Další návštěva:", size=8, colour=LABEL_COLOUR,
           condition="NOT ISNULL(#Dalsi_navsteva)")
    t.field("T", "Dalsi_navsteva", 168, 21, 70, 16, size=8)
    t.field("T", "Poznamka", 242, 21, w - 242, 16, size=8, style=ITALIC, align=GROW)
    row_line(t, "T", 40)
    t.text(footer, 420, 8, 230, 18, "Návštěv lékaře celkem:", size=9, style=BOLD, align=RIGHT)
    t.function_value(footer, "PocetNavstev", 654, 8, w - 654, 18, style=BOLD, align=RIGHT)
    save(t, "ZdrKarta00.pts")


def zdrkarta01():
    t = Template("přehled vyšetření")
    columns = [(0, 64, "Datum"), (68, 150, "Jméno"), (222, 84, "Důvod"),
               (310, 130, "Popis"), (444, 110, "Výsledek"), (558, 104, "Lékař"),
               (666, 60, "Další návštěva")]
    page_frame(t, "Přehled vyšetření a ošetření", column_headings(columns), HEADING_HEIGHT)
    w = t.width
    t.section(BODY, 22)
    t.field("T", "Datum_osetreni", 0, 3, 64, 16, size=8)
    t.field("T", "Jmeno_registr", 68, 3, 150, 16, size=8, style=BOLD, align=GROW)
    t.field("T", "Duvod_osetreni", 222, 3, 84, 16, size=8, align=GROW)
    t.field("T", "Popis_osetreni", 310, 3, 130, 16, size=8, align=GROW)
    t.field("T", "Vysled_osetreni", 444, 3, 110, 16, size=8, align=GROW)
    t.field("T", "Lekar", 558, 3, 104, 16, size=8, align=GROW)
    t.field("T", "Dalsi_navsteva", 666, 3, 60, 16, size=8)
    row_line(t, "T", 21)
    t.function("Celkem", "Počet záznamů celkem", "1", aggregation=1)
    t.section(REPORT_FOOTER, 30)
    t.hline("K", 0, 2, w, pen=2)
    t.text("K", 400, 8, 250, 18, "Záznamů celkem:", size=9, style=BOLD, align=RIGHT)
    t.function_value("K", "Celkem", 654, 8, w - 654, 18, style=BOLD, align=RIGHT)
    save(t, "ZdrKarta01.pts")


# ---- shows, titles, breeding approval, exams (sources 2, 3, 4, 8) --------------------


def event_card(description, title, columns, new_page, count_caption, body_fields,
               body_height=22, extra=None):
    """A list of one event book grouped by animal: the animal's header, the
    column headings, one row per event and the number of events."""
    t = Template(description)
    page_frame(t, title, continued=True)
    w = t.width
    header, footer = t.group("#Jmeno_registr", GROUP_HEADER_HEIGHT, 30, new_page=new_page)
    group_headings(t, header, animal_header(t, header), columns)
    t.function("Pocet", count_caption, "1", aggregation=1, reset=2)
    t.section(BODY, body_height)
    body_fields(t)
    row_line(t, "T", body_height - 1)
    t.text(footer, 420, 8, 230, 18, count_caption + ":", size=9, style=BOLD, align=RIGHT)
    t.function_value(footer, "Pocet", 654, 8, w - 654, 18, style=BOLD, align=RIGHT)
    if extra:
        extra(t, header, footer)
    return t


def vystavy00():
    columns = [(0, 66, "Datum"), (70, 106, "Místo"), (180, 84, "Druh výstavy"),
               (268, 76, "Třída"), (348, 80, "Známka"), (432, 40, "Pořadí", RIGHT),
               (480, 110, "Čekatelství"), (594, 132, "Soutěže")]

    def body(t):
        t.field("T", "Datum_vystava", 0, 3, 66, 16)
        t.field("T", "Misto", 70, 3, 106, 16, align=GROW)
        t.field("T", "Druh", 180, 3, 84, 16, align=GROW)
        t.field("T", "Trida", 268, 3, 76, 16, align=GROW)
        t.field("T", "Znamka", 348, 3, 80, 16, align=GROW)
        t.field("T", "Poradi", 432, 3, 40, 16, align=RIGHT)
        t.field("T", "Cekatelstvi_1", 480, 3, 110, 16, align=GROW)
        t.field("T", "Souteze", 594, 3, 132, 16, align=GROW)
        t.field("T", "Cekatelstvi_2", 480, 20, 110, 16, align=GROW)
        t.field("T", "Souteze_ost", 594, 20, 132, 16, align=GROW)

    t = event_card("Výstavní období jedince", "Výstavní období jedince", columns, False,
                   "Výstav celkem", body, body_height=40)
    save(t, "Vystavy00.pts")


def tituly00():
    columns = [(0, 66, "Udělen"), (72, 178, "Titul"), (254, 84, "Země"),
               (342, 170, "Organizace"), (516, 210, "Poznámka")]

    def body(t):
        t.field("T", "Datum_Udeleni", 0, 3, 66, 16)
        t.field("T", "Titul_Jmeno", 72, 3, 178, 16, style=BOLD, align=GROW)
        t.field("T", "Zeme", 254, 3, 84, 16, align=GROW)
        t.field("T", "Organizace", 342, 3, 170, 16, align=GROW)
        t.field("T", "Poznamka", 516, 3, 210, 16, size=8, align=GROW)

    t = event_card("karta titulů jedince", "Karta titulů jedince", columns, True,
                   "Titulů celkem", body)
    save(t, "Tituly00.pts")


def zkousky00():
    columns = [(0, 66, "Složena"), (72, 178, "Zkouška"), (254, 84, "Země"),
               (342, 170, "Organizace"), (516, 210, "Poznámka")]

    def body(t):
        t.field("T", "Datum_Udeleni", 0, 3, 66, 16)
        t.field("T", "Oceneni_Jmeno", 72, 3, 178, 16, style=BOLD, align=GROW)
        t.field("T", "Zeme", 254, 3, 84, 16, align=GROW)
        t.field("T", "Organizace", 342, 3, 170, 16, align=GROW)
        t.field("T", "Poznamka", 516, 3, 210, 16, size=8, align=GROW)

    t = event_card("Karta zkoušek za jedince", "Karta zkoušek jedince", columns, True,
                   "Zkoušek celkem", body)
    save(t, "Zkousky00.pts")


def breeding_result(t, code, x, y, w, h, size=9, style=0):
    """Chov_jedinec: 1 the animal met the conditions for breeding, 0 it did not."""
    t.text(code, x, y, w, h, "chovný", size, style, condition="#Chov_jedinec = 1")
    t.text(code, x, y, w, h, "nechovný", size, style,
           condition="NOT ISNULL(#Chov_jedinec) AND #Chov_jedinec = 0")


def chovnost00():
    columns = [(0, 70, "Datum"), (74, 90, "Rozhodnutí"), (168, 558, "Poznámka")]

    def body(t):
        t.field("T", "Datum", 0, 3, 70, 16)
        breeding_result(t, "T", 74, 3, 90, 16, style=BOLD)
        t.field("T", "Poznamka", 168, 3, 558, 16, align=GROW)

    t = event_card("karta chovnosti za jedince 01", "Karta chovnosti jedince", columns, True,
                   "Rozhodnutí celkem", body)
    save(t, "Chovnost00.pts")


def chovnost01():
    t = Template("karta chovnosti za jedince 02")
    page_frame(t, "Karta chovnosti", continued=True)
    w = t.width
    header, footer = t.group("#Jmeno_registr", 104, 120, new_page=True)
    y = animal_header(t, header)
    labelled(t, header, 6, y + 4, 90, 80, "Ve vlastnictví:")
    t.yes_no(header, "Vlastnictvi", 98, y + 4, 60, 16)
    labelled(t, header, 250, y + 4, 90, 80, "Vlastní odchov:")
    t.yes_no(header, "Vlast_odchov", 342, y + 4, 60, 16)
    t.hline(header, 0, y + 26, w)
    t.section(BODY, 66)
    t.text("T", 0, 6, 130, 18, "Rozhodnutí ze dne", size=10, style=BOLD)
    t.field("T", "Datum", 132, 6, 100, 18, size=10, style=BOLD)
    t.text("T", 20, 26, 230, 16, "Jedinec splnil podmínky chovnosti:", size=9)
    t.text("T", 252, 26, 60, 16, "ano", size=9, style=BOLD, condition="#Chov_jedinec = 1")
    t.text("T", 252, 26, 60, 16, "ne", size=9, style=BOLD,
           condition="NOT ISNULL(#Chov_jedinec) AND #Chov_jedinec = 0")
    t.text("T", 20, 44, 80, 16, "Záznam:", size=8, colour=LABEL_COLOUR)
    t.field("T", "Poznamka", 102, 44, w - 102, 16, align=GROW)
    row_line(t, "T", 64)
    t.text(footer, 0, 56, 300, 16, "Potvrzuje poradce chovu:", size=8, colour=LABEL_COLOUR)
    t.hline(footer, 0, 100, 300, colour=GREY)
    t.text(footer, 0, 102, 300, 16, "datum, jméno a podpis", size=7, colour=LABEL_COLOUR,
           align=CENTRE)
    t.text(footer, w - 300, 56, 300, 16, "Za chovatelskou stanici:", size=8,
           colour=LABEL_COLOUR)
    t.hline(footer, w - 300, 100, 300, colour=GREY)
    t.text(footer, w - 300, 102, 300, 16, "podpis chovatele", size=7, colour=LABEL_COLOUR,
           align=CENTRE)
    save(t, "Chovnost01.pts")


# ---- litters (source 5) -------------------------------------------------------------------


def litter_functions(t, reset):
    t.function("Vrhu", "Počet vrhů", "1", aggregation=1, reset=reset)
    t.function("Psu", "Psů celkem", "#Pocet_stenat_P", aggregation=2, reset=reset)
    t.function("Fen", "Fen celkem", "#Pocet_stenat_F", aggregation=2, reset=reset)
    t.function("Stenat", "Štěňat ve vrhu", "#Pocet_stenat_P + #Pocet_stenat_F")


def litter_totals(t, code, caption):
    w = t.width
    t.text(code, 300, 8, 200, 18, caption, size=9, style=BOLD, align=RIGHT)
    t.function_value(code, "Vrhu", 504, 8, 40, 18, style=BOLD, align=RIGHT)
    t.text(code, 550, 8, 40, 18, "psů:", size=9, align=RIGHT)
    t.function_value(code, "Psu", 592, 8, 30, 18, style=BOLD, align=RIGHT)
    t.text(code, 626, 8, 40, 18, "fen:", size=9, align=RIGHT)
    t.function_value(code, "Fen", 668, 8, w - 668, 18, style=BOLD, align=RIGHT)


def vrhy00():
    t = Template("seznam vrhů za jedince")
    page_frame(t, "Seznam vrhů za jedince", continued=True)
    w = t.width
    header, footer = t.group("#Jmeno_registr", GROUP_HEADER_HEIGHT, 30)
    group_headings(t, header, animal_header(t, header, sex=False),
                   [(0, 66, "Datum vrhu"), (70, 174, "Otec vrhu"), (248, 30, "Psi", RIGHT),
                    (282, 34, "Feny", RIGHT), (320, 44, "Celkem", RIGHT), (376, 196, "Štěňata"),
                    (576, 150, "Poznámka")])
    litter_functions(t, reset=2)
    t.section(BODY, 24)
    t.field("T", "Datum", 0, 3, 66, 16)
    t.field("T", "Jmeno_reg_otec", 70, 3, 174, 16, align=GROW)
    t.field("T", "Pocet_stenat_P", 248, 3, 30, 16, align=RIGHT)
    t.field("T", "Pocet_stenat_F", 282, 3, 34, 16, align=RIGHT)
    t.function_value("T", "Stenat", 320, 3, 44, 16, style=BOLD, align=RIGHT)
    t.field("T", "JmenaStenat", 376, 3, 196, 16, size=8, align=GROW)
    t.field("T", "Poznamka", 576, 3, 150, 16, size=8, align=GROW)
    row_line(t, "T", 23)
    litter_totals(t, footer, "Vrhů:")
    save(t, "Vrhy00.pts")


def vrhy01():
    t = Template("seznam vrhů dle otce")
    columns = [(0, 200, "Matka"), (204, 70, "Datum vrhu"), (278, 36, "Psi", RIGHT),
               (318, 40, "Feny", RIGHT), (370, 356, "Štěňata")]
    page_frame(t, "Seznam vrhů dle otce", column_headings(columns), HEADING_HEIGHT)
    w = t.width
    # Grouped by the sire, so the rows come ordered by him (then as chosen).
    t.source_order("Vrhy.Jmeno_reg_otec ASC")
    header, footer = t.group("#Jmeno_reg_otec", 28, 0)
    t.text(header, 0, 7, 62, 16, "Otec vrhu:", size=8, colour=LABEL_COLOUR)
    t.field(header, "Jmeno_reg_otec", 64, 5, w - 64, 18, size=10, style=BOLD)
    t.hline(header, 0, 26, w, colour=SILVER)
    litter_functions(t, reset=0)
    t.section(BODY, 24)
    t.field("T", "Jmeno_registr", 0, 3, 200, 16, align=GROW)
    t.field("T", "Datum", 204, 3, 70, 16)
    t.field("T", "Pocet_stenat_P", 278, 3, 36, 16, align=RIGHT)
    t.field("T", "Pocet_stenat_F", 318, 3, 40, 16, align=RIGHT)
    t.field("T", "JmenaStenat", 370, 3, 356, 16, align=GROW)
    row_line(t, "T", 23)
    t.section(REPORT_FOOTER, 30)
    t.hline("K", 0, 2, w, pen=2)
    litter_totals(t, "K", "Vrhů celkem:")
    save(t, "Vrhy01.pts")


# ---- matings (source 6) ---------------------------------------------------------------------


def mating_dates(t, code, y, size=9):
    """The three matings side by side: date, then manner and place."""
    w = t.width
    column = w // 3
    for n in (1, 2, 3):
        x = (n - 1) * column
        condition = "NOT ISNULL(#Datum_kryti_%d)" % n
        t.text(code, x, y + 1, 60, 16, "%d. krytí:" % n, size=8, colour=LABEL_COLOUR,
               condition=condition)
        t.field(code, "Datum_kryti_%d" % n, x + 62, y, 80, 16, size=size, style=BOLD)
        t.field(code, "Zpusob_Kryti_%d" % n, x + 62, y + 17, column - 70, 16, size=8)
        t.field(code, "Misto_Kryti_%d" % n, x + 62, y + 33, column - 70, 16, size=8)


def kryti00():
    t = Template("Seznam krytí za jedince")
    page_frame(t, "Seznam krytí za jedince", continued=True)
    w = t.width
    header, footer = t.group("#Jmeno_registr", 72, 30)
    animal_header(t, header, sex=False)
    t.function("Pocet", "Krytí celkem", "1", aggregation=1, reset=2)
    t.function("Stenat", "Štěňat ve vrhu", "#Pocet_pes + #Pocet_fena")
    t.section(BODY, 162)
    t.text("T", 0, 6, 60, 16, "Partner:", size=8, colour=LABEL_COLOUR)
    t.field("T", "Jmeno_partner", 62, 4, 330, 18, size=10, style=BOLD, align=GROW)
    labelled(t, "T", 400, 6, 70, w - 472, "Majitel psa:", "Majitel", grow=True)
    mating_dates(t, "T", 28)
    labelled(t, "T", 0, 82, 60, 300, "Asistence:", "Asistence", grow=True)
    t.text("T", 400, 83, 60, 16, "Nakryta:", size=8, colour=LABEL_COLOUR)
    t.yes_no("T", "Nakryta_Ano_Ne", 462, 82, 40, 16, style=BOLD)
    labelled(t, "T", 0, 100, 60, 80, "Vrh dne:", "Datum_vrhu")
    t.text("T", 160, 101, 30, 16, "psi:", size=8, colour=LABEL_COLOUR, align=RIGHT)
    t.field("T", "Pocet_pes", 194, 100, 30, 16)
    t.text("T", 230, 101, 30, 16, "feny:", size=8, colour=LABEL_COLOUR, align=RIGHT)
    t.field("T", "Pocet_fena", 264, 100, 30, 16)
    labelled(t, "T", 0, 118, 110, w - 112, "Chovatelský záměr:", "Chovatel_zamer", grow=True)
    labelled(t, "T", 0, 136, 110, w - 112, "Poznámka:", "Poznamka", size=8, grow=True)
    row_line(t, "T", 158)
    t.text(footer, 420, 8, 230, 18, "Krytí celkem:", size=9, style=BOLD, align=RIGHT)
    t.function_value(footer, "Pocet", 654, 8, w - 654, 18, style=BOLD, align=RIGHT)
    save(t, "Kryti00.pts")


def kryti01():
    t = Template("Seznam krytí dle partnera")
    columns = [(0, 200, "Fena"), (204, 70, "1. krytí"), (278, 56, "Nakryta"),
               (338, 70, "Vrh dne"), (412, 40, "Psi", RIGHT), (456, 40, "Feny", RIGHT)]
    page_frame(t, "Seznam krytí dle partnera", column_headings(columns), HEADING_HEIGHT)
    w = t.width
    # Grouped by the partner, so the rows come ordered by him (then as chosen).
    t.source_order("Kryti.Jmeno_partner ASC")
    header, footer = t.group("#Jmeno_partner", 28, 0)
    t.text(header, 0, 7, 50, 16, "Partner:", size=8, colour=LABEL_COLOUR)
    t.field(header, "Jmeno_partner", 52, 5, 380, 18, size=10, style=BOLD)
    t.text(header, 440, 7, 60, 16, "Majitel:", size=8, colour=LABEL_COLOUR)
    t.field(header, "Majitel", 502, 6, w - 502, 16, size=8)
    t.hline(header, 0, 26, w, colour=SILVER)
    t.function("Pocet", "Krytí celkem", "1", aggregation=1)
    t.section(BODY, 24)
    t.field("T", "Jmeno_registr", 0, 3, 200, 16, align=GROW)
    t.field("T", "Datum_kryti_1", 204, 3, 70, 16)
    t.yes_no("T", "Nakryta_Ano_Ne", 278, 3, 56, 16)
    t.field("T", "Datum_vrhu", 338, 3, 70, 16)
    t.field("T", "Pocet_pes", 412, 3, 40, 16, align=RIGHT)
    t.field("T", "Pocet_fena", 456, 3, 40, 16, align=RIGHT)
    row_line(t, "T", 23)
    t.section(REPORT_FOOTER, 30)
    t.hline("K", 0, 2, w, pen=2)
    t.text("K", 420, 8, 230, 18, "Krytí celkem:", size=9, style=BOLD, align=RIGHT)
    t.function_value("K", "Pocet", 654, 8, w - 654, 18, style=BOLD, align=RIGHT)
    save(t, "Kryti01.pts")


def kryti02():
    """A mating certificate, one mating per page, for the breed club."""
    t = Template("Uživatelská 01 - krycí list")
    page_frame(t, "Krycí list")
    w = t.width
    t.section(BODY, 900, flags=1)

    def block(y, title):
        t.band("T", 0, y, w, 22)
        t.text("T", 6, y + 3, 400, 18, title, size=10, style=BOLD)
        return y + 30

    lw = 130
    y = block(0, "Fena")
    labelled(t, "T", 0, y, lw, w - lw - 2, "Jméno:", "Jmeno_registr", size=11, value_style=BOLD)
    y += 22
    labelled(t, "T", 0, y, lw, 230, "Plemeno:", "plemeno")
    labelled(t, "T", 380, y, 100, w - 482, "Datum narození:", "Datum_Nar")
    y += 20
    labelled(t, "T", 0, y, lw, 70, "Zápis v plemenné knize:", "Registr")
    t.field("T", "Registr_Cislo", lw + 76, y, 150, 16)
    y += 20
    labelled(t, "T", 0, y, lw, w - lw - 2, "Otec:", "Otec")
    y += 20
    labelled(t, "T", 0, y, lw, w - lw - 2, "Matka:", "Matka")
    y = block(y + 34, "Krycí pes")
    labelled(t, "T", 0, y, lw, w - lw - 2, "Jméno:", "Jmeno_partner", size=11,
             value_style=BOLD, grow=True)
    y += 22
    labelled(t, "T", 0, y, lw, w - lw - 2, "Majitel:", "Majitel", grow=True)
    y = block(y + 34, "Krytí")
    mating_dates(t, "T", y, size=10)
    y += 56
    labelled(t, "T", 0, y, lw, w - lw - 2, "Asistence při krytí:", "Asistence", grow=True)
    y = block(y + 34, "Výsledek")
    t.text("T", 0, y + 1, lw, 16, "Fena nakryta:", size=8, colour=LABEL_COLOUR)
    t.yes_no("T", "Nakryta_Ano_Ne", lw + 2, y, 60, 16, style=BOLD)
    labelled(t, "T", 380, y, 100, 90, "Vrh dne:", "Datum_vrhu")
    y += 20
    labelled(t, "T", 0, y, lw, 40, "Narozeno psů:", "Pocet_pes")
    labelled(t, "T", 380, y, 100, 40, "Narozeno fen:", "Pocet_fena")
    y += 28
    labelled(t, "T", 0, y, lw, w - lw - 2, "Chovatelský záměr:", "Chovatel_zamer", grow=True)
    y += 22
    labelled(t, "T", 0, y, lw, w - lw - 2, "Poznámka:", "Poznamka", grow=True)
    y += 110
    for x, caption in [(0, "podpis majitele krycího psa"), (w - 300, "podpis majitele feny")]:
        t.hline("T", x, y, 300, colour=GREY)
        t.text("T", x, y + 2, 300, 16, caption, size=7, colour=LABEL_COLOUR, align=CENTRE)
    save(t, "Kryti02.pts")


def kryti03():
    """Matings with the expected day of the litter (63 days after the first)."""
    t = Template("Uživatelská 02 - kalendář krytí")
    columns = [(0, 152, "Fena"), (156, 150, "Partner"), (310, 66, "1. krytí"),
               (380, 66, "Poslední krytí"), (450, 80, "Očekávaný vrh"), (534, 52, "Nakryta"),
               (590, 66, "Vrh dne"), (660, 66, "Štěňat ve vrhu", RIGHT)]
    page_frame(t, "Kalendář krytí a očekávaných vrhů", column_headings(columns), HEADING_HEIGHT)
    w = t.width
    t.function("Ocekavany", "Očekávaný vrh", "FORMATDT(#Datum_kryti_1 + 63, 'd.m.yyyy')",
               text=True, initial="")
    t.function("Stenat", "Štěňat ve vrhu", "#Pocet_pes + #Pocet_fena")
    t.section(BODY, 24)
    t.field("T", "Jmeno_registr", 0, 3, 152, 16, style=BOLD, align=GROW)
    t.field("T", "Jmeno_partner", 156, 3, 150, 16, align=GROW)
    t.field("T", "Datum_kryti_1", 310, 3, 66, 16)
    t.field("T", "Datum_kryti_3", 380, 3, 66, 16, condition="NOT ISNULL(#Datum_kryti_3)")
    t.field("T", "Datum_kryti_2", 380, 3, 66, 16, condition="ISNULL(#Datum_kryti_3)")
    t.field("T", "Datum_kryti_1", 380, 3, 66, 16,
            condition="ISNULL(#Datum_kryti_3) AND ISNULL(#Datum_kryti_2)")
    t.function_value("T", "Ocekavany", 450, 3, 80, 16, style=BOLD,
                     condition="NOT ISNULL(#Datum_kryti_1)")
    t.yes_no("T", "Nakryta_Ano_Ne", 534, 3, 52, 16)
    t.field("T", "Datum_vrhu", 590, 3, 66, 16)
    t.function_value("T", "Stenat", 660, 3, 66, 16, align=RIGHT,
                     condition="NOT ISNULL(#Datum_vrhu)")
    row_line(t, "T", 23)
    save(t, "Kryti03.pts")


# ---- pedigrees (source 7) -------------------------------------------------------------------

# The ancestors generation by generation, each pair sire then dam; the parents of
# the k-th ancestor of a generation are the (2k)-th and (2k+1)-th of the next.
GENERATIONS = [
    ["Otec", "Matka"],
    ["Otec_Ded_1", "Otec_Baba_1", "Matka_Ded_1", "Matka_Baba_1"],
    ["Otec_Praded_1", "Otec_Prababa_1", "Otec_Praded_2", "Otec_Prababa_2",
     "Matka_Praded_1", "Matka_prababa_1", "Matka_Praded_2", "Matka_Prababa_2"],
    ["Otec_PraPraDed_%d" % n if i % 2 == 0 else "Otec_PraPraBaba_%d" % n
     for i, n in enumerate([1, 1, 2, 2, 3, 3, 4, 4])] +
    ["Matka_PraPraDed_%d" % n if i % 2 == 0 else "Matka_PraPraBaba_%d" % n
     for i, n in enumerate([1, 1, 2, 2, 3, 3, 4, 4])],
]


def pedigree(description, generations, titles, file_name):
    t = Template(description)
    page_frame(t, "Rodokmen")
    w = t.width
    body = t.height - HEADER_HEIGHT - FOOTER_HEIGHT - 4
    t.section(BODY, body, flags=1)
    # The animal: name, title and its record-sheet data above the chart.
    t.field("T", "Jmeno_registr", 0, 4, w, 26, size=16, style=BOLD)
    if titles:
        t.field("T", "TIT_Jmeno_registr", 0, 33, w, 18, size=10, style=ITALIC)
    info_y = 54
    labelled(t, "T", 0, info_y, 52, 210, "Plemeno:", "plemeno")
    labelled(t, "T", 270, info_y, 66, 70, "Narozen(a):", "Datum_Nar")
    labelled(t, "T", 414, info_y, 46, 52, "Pohlaví:", "Pohlavi")
    labelled(t, "T", 520, info_y, 46, 56, "Registr:", "Registr")
    t.field("T", "Registr_Cislo", 626, info_y, w - 626, 16)
    t.hline("T", 0, info_y + 22, w, colour=SILVER)

    top = info_y + 34
    bottom = body - 8
    gap = {2: 40, 3: 26, 4: 16}[generations]
    box_width = (w - (generations - 1) * gap) // generations
    name_size = {2: 11, 3: 9, 4: 8}[generations]
    title_size = {2: 9, 3: 8, 4: 7}[generations]
    name_lines = {2: 1, 3: 2, 4: 2}[generations]
    line_height = {11: 18, 9: 14, 8: 13, 7: 11}
    name_height = name_lines * line_height[name_size] + 2
    title_height = (2 * line_height[title_size] + 2) if titles else 0
    box_height = name_height + title_height + 8

    centres = []
    for g in range(generations):
        slots = 2 ** (g + 1)
        slot = (bottom - top) / slots
        centres.append([top + slot * (k + 0.5) for k in range(slots)])

    for g in range(generations):
        x = g * (box_width + gap)
        for k, ancestor in enumerate(GENERATIONS[g]):
            yc = centres[g][k]
            y = int(round(yc - box_height / 2))
            side = "Otec" if k % 2 == 0 else "Matka"
            t.text("T", x, y - 14, box_width, 13, side, size=7, colour=LABEL_COLOUR)
            t.field("T", ancestor, x + 4, y + 4, box_width - 8, name_height, size=name_size,
                    style=BOLD, align=MULTILINE)
            if titles:
                t.field("T", "TIT_" + ancestor, x + 4, y + 4 + name_height, box_width - 8,
                        title_height, size=title_size, style=ITALIC, align=MULTILINE)
            t.frame("T", x, y, box_width, box_height)
            if g + 1 < generations:
                # Joining lines: from the box to a bracket spanning its parents.
                xr = x + box_width
                xm = xr + gap // 2
                sire = int(round(centres[g + 1][2 * k]))
                dam = int(round(centres[g + 1][2 * k + 1]))
                t.hline("T", xr, int(round(yc)), xm - xr)
                t.vline("T", xm, sire, dam - sire)
                t.hline("T", xm, sire, xr + gap - xm)
                t.hline("T", xm, dam, xr + gap - xm)
    save(t, file_name)


def rodokmen00():
    pedigree("2 generace včetně titulů", 2, True, "rodokmen00.pts")


def rodokmen01():
    pedigree("3  generace včetně titulů", 3, True, "rodokmen01.pts")


def rodokmen02():
    pedigree("4  generace - pouze jména", 4, False, "rodokmen02.pts")


# ---- pedigree certificates from the record sheets (source 10) ---------------------------

def sheet_place_field(place):
    """The column of a place of the assembled pedigree: rodokmen.db's names
    for places 2 to 31, then Otec_G5_1 … Otec_G5_16 and Matka_G5_1 …
    Matka_G5_16 (places 32 to 63)."""
    if place < 32:
        generation = place.bit_length() - 1
        return GENERATIONS[generation - 1][place - 2 ** generation]
    index = place - 32
    return "%s_G5_%d" % ("Otec" if index < 16 else "Matka", index % 16 + 1)


# How an ancestor's box shows its details: "stacked" titles, registration and
# health on lines of their own; "paired" titles on one line, registration and
# health beside each other on the next; "one line" all three beside each other;
# "beside" all three beside the name.
STACKED, PAIRED, ONE_LINE, BESIDE = range(4)
CERTIFICATE_LINE = {size: line_height(size) for size in range(5, 11)}


def certificate_box(t, place, x, yc, w, slot, style):
    """One ancestor: its name, then its titles, registration and health."""
    name_size, detail_size, arrangement = style
    field = sheet_place_field(place)
    name_h = CERTIFICATE_LINE[name_size]
    detail_h = CERTIFICATE_LINE[detail_size]
    lines = {STACKED: 3, PAIRED: 2, ONE_LINE: 1, BESIDE: 0}
    # Fewer detail lines where the generation's boxes have no room for them.
    while arrangement < BESIDE and name_h + lines[arrangement] * detail_h + 4 > int(slot) - 3:
        arrangement += 1
    h = min(name_h + lines[arrangement] * detail_h + 4, int(slot) - 3)
    y = int(round(yc - h / 2))

    def details(x0, y0, width, parts):
        """Fields side by side: (prefix, share of the width)."""
        for prefix, share in parts:
            part_w = int(width * share)
            t.field("T", prefix + field, x0, y0, part_w - 3, detail_h, size=detail_size,
                    style=ITALIC if prefix == "TIT_" else 0)
            x0 += part_w

    if arrangement == BESIDE:
        t.frame("T", x, y, w, h, colour=SILVER)
        name_w = int(w * 0.55)
        t.field("T", field, x + 2, y + (h - name_h) // 2, name_w, name_h, size=name_size,
                style=BOLD)
        details(x + name_w + 4, y + (h - detail_h) // 2 + 1, w - name_w - 6,
                [("REG_", 0.34), ("ZDR_", 0.30), ("TIT_", 0.36)])
        return
    if arrangement == STACKED:
        # Titles take two lines where the box has room for them.
        title_lines = 2 if h + detail_h <= int(slot) - 3 else 1
        if title_lines == 2:
            h += detail_h
            y = int(round(yc - h / 2))
        t.frame("T", x, y, w, h)
        t.field("T", field, x + 3, y + 2, w - 6, name_h, size=name_size, style=BOLD)
        dy = y + 2 + name_h
        t.field("T", "TIT_" + field, x + 3, dy, w - 6, title_lines * detail_h, size=detail_size,
                style=ITALIC, align=MULTILINE)
        dy += title_lines * detail_h
        details(x + 3, dy, w - 6, [("REG_", 1.0)])
        details(x + 3, dy + detail_h, w - 6, [("ZDR_", 1.0)])
        return
    t.frame("T", x, y, w, h)
    t.field("T", field, x + 3, y + 2, w - 6, name_h, size=name_size, style=BOLD)
    dy = y + 2 + name_h
    if arrangement == PAIRED:
        details(x + 3, dy, w - 6, [("TIT_", 1.0)])
        details(x + 3, dy + detail_h, w - 6, [("REG_", 0.5), ("ZDR_", 0.5)])
    else:
        details(x + 3, dy, w - 6, [("REG_", 0.34), ("ZDR_", 0.30), ("TIT_", 0.36)])


def certificate_animal(t, y, photo_w, photo_h):
    """The animal itself: name and titles, its record-sheet data and photo."""
    w = t.width
    text_w = w - photo_w - 10
    t.field("T", "Jmeno_registr", 0, y, text_w, 24, size=15, style=BOLD)
    t.field("T", "TIT_Jmeno_registr", 0, y + 26, text_w, 16, size=9, style=ITALIC)
    items = [("Plemeno:", "Plemeno", 170), ("Pohlaví:", "Pohlavi", 60),
             ("Narozen(a):", "NAR_Jmeno_registr", 70), ("Barva:", "BAR_Jmeno_registr", 120),
             ("Registr:", "REG_Jmeno_registr", 170), ("Čip:", "Cip", 110),
             ("Tetování:", "Tetovaci_cislo", 70), ("Zdraví:", "ZDR_Jmeno_registr", 150),
             ("Chovatel:", "Chovatel", 250), ("Majitel:", "Majitel", 250)]
    label_w = 62
    ry = y + 46
    x = 0
    for label, field, width in items:
        # A caption and its value go on the next line where they would reach the photo.
        if x > 0 and x + label_w + width > text_w:
            x = 0
            ry += 18
        labelled(t, "T", x, ry, label_w, width, label, field)
        x += label_w + width + 10
    ry += 18
    t.picture_field("T", "Foto", w - photo_w, y, photo_w, photo_h)
    return max(ry, y + photo_h) + 6


def certificate_signature(t, y):
    """The line for the breeder's signature and the date."""
    w = t.width
    t.text("T", 0, y + 12, 40, 16, "V", size=9)
    t.hline("T", 16, y + 26, 200, pen=1)
    t.text("T", 222, y + 12, 30, 16, "dne", size=9)
    t.hline("T", 252, y + 26, 110, pen=1)
    t.hline("T", w - 260, y + 26, 260, pen=1)
    t.text("T", w - 260, y + 28, 260, 14, "Podpis chovatele", size=8, align=CENTRE,
           colour=LABEL_COLOUR)
    t.parameter("T", 0, w - 260, y + 42, 260, 14, size=8, align=CENTRE)


def pedigree_certificate(description, landscape, columns, file_name):
    """`columns`: per generation its width and box style."""
    t = Template(description, landscape=landscape)
    page_frame(t, "Rodokmen")
    w = t.width
    body = t.height - HEADER_HEIGHT - FOOTER_HEIGHT - 4
    t.section(BODY, body, flags=1)
    photo_w, photo_h = (150, 100) if landscape else (170, 130)
    top = certificate_animal(t, 2, photo_w, photo_h)
    t.hline("T", 0, top, w, colour=SILVER)
    signature_h = 58
    chart_top = top + 4
    chart_bottom = body - signature_h
    widths = [width for width, _ in columns]
    gap = (w - sum(widths)) // (len(columns) - 1)
    x = 0
    for g, (width, style) in enumerate(columns, start=1):
        t.text("T", x, chart_top, width, 10, "%d. generace" % g, size=6, colour=LABEL_COLOUR)
        slots = 2 ** g
        slot = (chart_bottom - chart_top - 10) / slots
        for k in range(slots):
            certificate_box(t, slots + k, x, chart_top + 10 + slot * (k + 0.5), width, slot,
                            style)
        x += width + gap
    certificate_signature(t, chart_bottom)
    save(t, file_name)


def rodokmenevid00():
    pedigree_certificate("Rodokmenový list - 5 generací", True,
                         [(170, (10, 7, STACKED)), (180, (9, 7, STACKED)),
                          (190, (8, 6, STACKED)), (230, (6, 5, ONE_LINE)),
                          (270, (6, 5, BESIDE))],
                         "RodokmenEvid00.pts")


def rodokmenevid01():
    pedigree_certificate("Rodokmenový list - 4 generace", False,
                         [(165, (10, 7, STACKED)), (170, (9, 7, STACKED)),
                          (180, (8, 6, STACKED)), (190, (7, 6, STACKED))],
                         "RodokmenEvid01.pts")


# ---- photo album (source 9) ------------------------------------------------------------------


def foto00():
    t = Template("Fotoalbum", columns=2, column_gap=20)
    page_frame(t, "Fotoalbum")
    column = (t.width - 20) // 2
    t.section(BODY, 310)
    t.picture_field("T", "Foto_1", 0, 4, column, 220)
    t.field("T", "Jmeno_registr", 0, 228, column, 18, size=10, style=BOLD)
    t.field("T", "plemeno", 0, 248, 150, 16, size=8)
    t.field("T", "Pohlavi", 154, 248, 60, 16, size=8)
    t.text("T", 218, 248, 60, 16, "narozen(a)", size=8, colour=LABEL_COLOUR, align=RIGHT,
           condition="NOT ISNULL(#Datum_Nar)")
    t.field("T", "Datum_Nar", 282, 248, column - 282, 16, size=8, align=RIGHT)
    labelled(t, "T", 0, 266, 40, column - 42, "Otec:", "Otec", size=8)
    labelled(t, "T", 0, 284, 40, column - 42, "Matka:", "Matka", size=8)
    save(t, "Foto00.pts")


# ---- the breeder's diary (printed from the diary window) ------------------------------


def diar00():
    """The diary's entries over the columns Datum, Druh, Jmeno_registr, Text
    and Po_terminu; parameter line 2 names the span shown."""
    t = Template("diář chovatele")
    w = t.width
    columns = [(0, 70, "Datum"), (74, 130, "Druh"), (208, 190, "Zvíře"), (402, w - 486, "Text"),
               (w - 80, 80, "Stav")]

    def heading(t, y):
        t.parameter("H", 1, 0, y, w, 18, size=10)
        column_headings(columns, y0=20)(t, y)

    page_frame(t, "Diář", heading, HEADING_HEIGHT + 22)
    t.section(BODY, 20)
    t.field("T", "Datum", 0, 2, 70, 16)
    t.field("T", "Druh", 74, 2, 130, 16)
    t.field("T", "Jmeno_registr", 208, 2, 190, 16, align=GROW)
    t.field("T", "Text", 402, 2, w - 486, 16, align=GROW)
    t.field("T", "Po_terminu", w - 80, 2, 80, 16, style=BOLD)
    row_line(t, "T", 19)
    save(t, "Diar00.pts")


ALL = [evidlist00, evidlist01, evidlist02, evidlist03, zdrkarta00, zdrkarta01, vystavy00,
       tituly00, chovnost00, chovnost01, vrhy00, vrhy01, kryti00, kryti01, kryti02, kryti03,
       rodokmen00, rodokmen01, rodokmen02, zkousky00, foto00, diar00, rodokmenevid00,
       rodokmenevid01]

if __name__ == "__main__":
    # An optional folder to write into instead of this script's own.
    if len(sys.argv) > 1:
        HERE = os.path.abspath(sys.argv[1])
    for make in ALL:
        make()
    for make in LABELS:
        make(save)
