#!/usr/bin/env python3
"""Writes the help texts of the "?" buttons as resource data: cp1251 bytes
ending in one zero byte, one file per text (str1.bin .. str4.bin).

usage: help_texts.py OUTPUT_FOLDER HOME_PAGE
The trailing blanks of STR1 belong to the text."""
import pathlib
import sys

out, home_page = pathlib.Path(sys.argv[1]), sys.argv[2]

TEXTS = {
    "str1": "Необходимо заполнить поля:\r\n - выбрать первый цвет\r\n - название цвета (англ.) - [a-z][A-Z][0-9][_]\r\n - название цвета (рус.) - [а-я][А-Я][a-z][A-Z][0-9][_]  \r\n - кол-во этажей - 1,2,3,...,100\r\n\r\nДля генерации стен используется только один цвет.\r\nВторой задавать смысла нет.  ",
    "str2": "Чтобы создать какой-либо дом, необходимо его сначала выделить в списке.\r\n\r\nДля домов может использоваться до двух цветов:\r\n - первый цвет на изображении показан ярким розовым;\r\n - второй - кислотным зеленым.\r\n \r\nОстальные правила аналогичны правилам создания стен.",
    "str3": "Программа написана, или вернее сказать сконструирована, в Kesto.\r\n\r\nПеред тем как нажимать на кнопку, прочитайте рядом с ней \"вопросик\".\r\nАвтор не несет никакой ответственности за неверное использование данной программы.\r\n\r\nСкачано с \r\n" + home_page + "\r\n\r\nВерсия программы: 1.0.4",
    "str4": " - запрос на обновление происходит только по нажатию на кнопку.\r\n - автоматического обновления не происходит.\r\n\r\nВопрос: А что обновляется-то?\r\nОтвет: Обновляются данные, но не версия программы.\r\nТ.е. могут появиться новые дома, стены, исправляются ошибки в уже существующих.",
}

out.mkdir(parents=True, exist_ok=True)
for name, text in TEXTS.items():
    data = text.encode("cp1251") + b"\0"
    path = out / (name + ".bin")
    if not path.exists() or path.read_bytes() != data:
        path.write_bytes(data)
