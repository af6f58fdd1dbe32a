"""Changes a task list the way another calendar client would, for the sync tests.

usage: caldav_tool.py CALENDAR_URL USER PASSWORD COMMAND [ARGS]
  add UID SUMMARY [RRULE]   a task (repeating daily from tomorrow with RRULE)
  edit UID FIELD VALUE      FIELD: SUMMARY, LOCATION, PRIORITY or STATUS
  delete UID
  dump                      one line per task: UID, SUMMARY, STATUS, EXDATE count, override count
"""
import re
import sys

import caldav


def unfolded(ics):
    return re.sub(r"\r?\n[ \t]", "", ics)


def main():
    url, user, password, command, *args = sys.argv[1:]
    client = caldav.DAVClient(url, username=user or None, password=password or None)
    calendar = client.calendar(url=url)
    if command == "add":
        uid, summary = args[0], args[1]
        rule = "DTSTART:20300101T090000Z\nRRULE:FREQ=DAILY;COUNT=3\n" if len(args) > 2 else ""
        calendar.save_todo(ical=f"BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//tests//EN\nBEGIN:VTODO\nUID:{uid}\n"
                           f"DTSTAMP:20260101T000000Z\nSUMMARY:{summary}\n{rule}END:VTODO\nEND:VCALENDAR\n")
    elif command == "edit":
        uid, field, value = args
        todo = calendar.todo_by_uid(uid)
        ics = unfolded(todo.data)
        master = ics.split("END:VTODO")[0]
        if re.search(rf"^{field}[:;]", master, re.M):
            master = re.sub(rf"^{field}[:;].*$", f"{field}:{value}", master, count=1, flags=re.M)
        else:
            master = master.replace("BEGIN:VTODO\r\n", f"BEGIN:VTODO\r\n{field}:{value}\r\n", 1)
            master = master.replace("BEGIN:VTODO\n", f"BEGIN:VTODO\n{field}:{value}\n", 1)
        todo.data = master + "END:VTODO" + ics.split("END:VTODO", 1)[1]
        todo.save()
    elif command == "delete":
        calendar.todo_by_uid(args[0]).delete()
    elif command == "dump":
        lines = []
        for todo in calendar.todos(include_completed=True):
            ics = unfolded(todo.data)
            master = ics.split("END:VTODO")[0]
            uid = re.search(r"^UID:(.*?)\r?$", master, re.M).group(1)
            summary = re.search(r"^SUMMARY:(.*?)\r?$", master, re.M)
            status = re.search(r"^STATUS:(.*?)\r?$", master, re.M)
            lines.append("|".join([uid, summary.group(1) if summary else "", status.group(1) if status else "",
                                   str(len(re.findall(r"^EXDATE", ics, re.M))),
                                   str(len(re.findall(r"^RECURRENCE-ID", ics, re.M)))]))
        print("\n".join(sorted(lines)))
    else:
        sys.exit(f"unknown command {command}")


if __name__ == "__main__":
    main()
