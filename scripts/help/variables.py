PAGES = {}
